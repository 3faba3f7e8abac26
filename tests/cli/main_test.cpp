// What sorvane-cli says about itself: its version, and every subcommand's options in the
// help that its manual page is made from.
#include <gtest/gtest.h>

#include <string>

#include "support/run_program.h"

namespace sorvane {
namespace {

using testing::RunProgram;

TEST(Help, VersionIsTheProjectsWithItsLicence) {
  const auto run = RunProgram(SORVANE_CLI, {"--version"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "sorvane " SORVANE_VERSION
                     "\nCopyright (c) 2026 The Sorvane developers; released under the MIT License.\n");
}

TEST(Help, HelpAllListsEverySubcommandWithItsOptions) {
  const auto run = RunProgram(SORVANE_CLI, {"--help-all"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  struct Expected {
    const char* subcommand;
    const char* option;  // as the help writes it, with its argument
  };
  const Expected expected[] = {
      {"init", "DIR TEXT REQUIRED"},     {"pet", "--list FILE"},         {"pet", "--jobs"},
      {"coeff", "--methods LIST"},       {"adjust", "PATH TEXT REQUIRED"}, {"check", "--format"},
      {"plot", "RESULT TEXT REQUIRED"},  {"plot", "-o,--out FILE REQUIRED"}, {"plot", "--width PX"},
      {"plot", "--height PX"},
  };
  for (const auto& e : expected) {
    const auto section = run.out.find(std::string("\n") + e.subcommand + "\n");
    ASSERT_NE(section, std::string::npos) << e.subcommand;
    // A subcommand's section ends where the next one's name stands at the start of a line.
    auto next = run.out.find("\n\n", section + 1);
    while (next != std::string::npos && run.out.compare(next + 2, 2, "  ") == 0) next = run.out.find("\n\n", next + 1);
    EXPECT_NE(run.out.substr(section, next - section).find(e.option), std::string::npos)
        << e.subcommand << ": " << e.option;
  }
  // A blank line keeps "Positionals:" out of the description's last sentence in the manual page.
  EXPECT_NE(run.out.find("leaves its value of that row empty.\n\n  Positionals:"), std::string::npos);
}

}  // namespace
}  // namespace sorvane
