#pragma once
// The commands of lumivista-cli. Each adds its subcommand to the program's
// parser; when the subcommand runs it sets the process's exit status.
#include <CLI/CLI.hpp>

inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteFailed = 1;
// Bad usage, or an album file or input that cannot be read or is not valid.
inline constexpr int kExitBadInput = 2;

void AddNewCommand(CLI::App& app, int& exitStatus);
void AddShowCommand(CLI::App& app, int& exitStatus);
void AddBuildCommand(CLI::App& app, int& exitStatus);
void AddTemplatesCommand(CLI::App& app, int& exitStatus);
void AddPublishCommand(CLI::App& app, int& exitStatus);
