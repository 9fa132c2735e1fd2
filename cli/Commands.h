#pragma once
// The commands of lumivista-cli. Each adds its subcommand to the program's
// parser; when the subcommand runs it sets the process's exit status.
#include <CLI/CLI.hpp>

namespace cli {

inline constexpr int kExitOk = 0;
// A save failed; for "build", some pictures failed.
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitSomePicturesFailed = kExitWriteFailed;
// Bad usage, or an album file or input that cannot be read or is not valid;
// for "build", a run that ended early for any such reason.
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitEndedEarly = kExitBadInput;

void AddNewCommand(CLI::App& app, int& exitStatus);
void AddShowCommand(CLI::App& app, int& exitStatus);
void AddBuildCommand(CLI::App& app, int& exitStatus);
void AddTemplatesCommand(CLI::App& app, int& exitStatus);
void AddPublishCommand(CLI::App& app, int& exitStatus);

}  // namespace cli
