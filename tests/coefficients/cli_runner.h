// Runs the built sorvane-cli on a test's ApplicationFolder and keeps what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sorvane::testing {

struct CliResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// sorvane-cli --app-folder `appFolder` `arguments...`; its output goes to files beside
// the folder, not into it.
inline CliResult RunCli(const std::filesystem::path& appFolder, const std::vector<std::string>& arguments) {
  const std::string outFile = appFolder.string() + ".out";
  const std::string errFile = appFolder.string() + ".err";
  std::string command = ShellQuoted(SORVANE_CLI) + " --app-folder " + ShellQuoted(appFolder.string());
  for (const auto& argument : arguments) command += " " + ShellQuoted(argument);
  command += " >" + ShellQuoted(outFile) + " 2>" + ShellQuoted(errFile);
  const int raw = std::system(command.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  auto slurp = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  result.out = slurp(outFile);
  result.err = slurp(errFile);
  std::filesystem::remove(outFile);
  std::filesystem::remove(errFile);
  return result;
}

}  // namespace sorvane::testing
