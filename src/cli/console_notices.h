// Notices on a terminal: the jobs' notices on standard output without their padding,
// refusals on standard error.
#pragma once

#include <iostream>

#include "common/notices.h"
#include "common/text.h"

namespace sorvane::cli {

class ConsoleNotices : public Notices {
 public:
  void Show(const Notice& notice) override {
    std::ostream& out = notice.kind == NoticeKind::Refusal ? std::cerr : std::cout;
    out << TrimSpaces(notice.text) << '\n';
    if (notice.kind == NoticeKind::Refusal) refused = true;
    if (notice.kind == NoticeKind::ProgramEnd) programEnded = true;
  }
  bool refused = false;
  bool programEnded = false;
};

}  // namespace sorvane::cli
