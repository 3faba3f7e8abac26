// Runs a program as the user would, with its standard output and error kept apart.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace sorvane::testing {

struct ProgramRun {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// `environment` entries ("NAME=value") are added to this process's environment.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::vector<std::string>& environment = {}) {
  int outPipe[2], errPipe[2];
  if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(outPipe[1], 1);
    ::dup2(errPipe[1], 2);
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    for (const auto& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  ProgramRun run;
  std::array<pollfd, 2> fds{{{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}}};
  int open = 2;
  while (open > 0 && ::poll(fds.data(), fds.size(), -1) > 0) {
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got <= 0) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      } else {
        (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
      }
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// sorvane-cli --app-folder `appFolder` `arguments...`, as built for the tests.
inline ProgramRun RunCli(const std::filesystem::path& appFolder, std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"--app-folder", appFolder.string()});
  return RunProgram(SORVANE_CLI, arguments);
}

}  // namespace sorvane::testing
