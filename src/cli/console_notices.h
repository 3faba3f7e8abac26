// Notices on a terminal: the jobs' notices on standard output without their padding,
// refusals on standard error.
#pragma once

#include <iostream>

#include "cli/cli_context.h"
#include "common/notices.h"
#include "common/text.h"

namespace sorvane::cli {

class ConsoleNotices : public Notices {
 public:
  void Show(const Notice& notice) override {
    if (notice.kind == NoticeKind::Refusal)
      ShowError(TrimSpaces(notice.text));
    else
      std::cout << TrimSpaces(notice.text) << '\n';
    if (notice.kind == NoticeKind::Refusal) refused = true;
    if (notice.kind == NoticeKind::ProgramEnd) programEnded = true;
  }
  bool refused = false;
  bool programEnded = false;
};

}  // namespace sorvane::cli
