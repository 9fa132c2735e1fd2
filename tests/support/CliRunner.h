#pragma once
// Runs the built lumivista-cli in a folder and collects what it printed.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ostringstream out;
  out << std::ifstream(path, std::ios::binary).rdbuf();
  return out.str();
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs the tool in `folder` with `args`, feeding `input` to its standard input.
inline CliResult RunCli(const std::filesystem::path& folder, std::initializer_list<std::string> args,
                        const std::string& input = "") {
  WriteFileBytes(folder / ".stdin", input);
  std::string command = "cd ";
  command += ShellQuoted(folder.string());
  command += " && ";
  command += ShellQuoted(LUMIVISTA_CLI);
  for (const std::string& arg : args) {
    command += ' ';
    command += ShellQuoted(arg);
  }
  command += " < .stdin > .stdout 2> .stderr";
  const int raw = std::system(command.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadFileBytes(folder / ".stdout");
  result.err = ReadFileBytes(folder / ".stderr");
  for (const char* name : {".stdin", ".stdout", ".stderr"}) std::filesystem::remove(folder / name);
  return result;
}
