// The edge of sorvane-cli and sorvane-plot: whatever a job throws ends as a message on
// standard error and status 4, never an abort.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "cli/cli_context.h"

namespace sorvane::cli {
namespace {

TEST(RunAtEdge, AThrownFaultBecomesAMessageAndStatus4) {
  struct Case {
    const char* name;
    std::function<int()> work;
    std::string message;
  };
  const Case cases[] = {
      {"memory", [] () -> int { throw std::bad_alloc(); },
       "sorvane-cli: the memory ran out; the run stopped, and the file being written was not put in place\n"},
      {"library", [] () -> int { throw std::runtime_error("bad\xff table"); },
       "sorvane-cli: the run stopped on a fault (bad\\xff table); the file being written was not put in place\n"},
      {"other", [] () -> int { throw 3; },
       "sorvane-cli: the run stopped on an unknown fault; the file being written was not put in place\n"},
  };
  for (const Case& c : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunAtEdge("sorvane-cli", c.work), kExitFault) << c.name;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.message) << c.name;
  }
}

TEST(RunAtEdge, AFinishedRunKeepsItsStatus) {
  EXPECT_EQ(RunAtEdge("sorvane-cli", [] { return kExitRefused; }), kExitRefused);
}

}  // namespace
}  // namespace sorvane::cli
