#include "common/notices.h"

namespace sorvane {

std::string PaddedNotice(std::string_view message, int trailingSpaces) {
  std::string text(10, ' ');
  text += message;
  text.append(static_cast<std::size_t>(trailingSpaces), ' ');
  return text;
}

std::string Located(std::string_view file, long line, std::string_view what) {
  std::string text(file);
  if (line > 0) text += ":" + std::to_string(line);
  text += ": ";
  text += what;
  return text;
}

std::string NoDataFileNotice() { return PaddedNotice("NO Data file selected", 10); }

std::string JobEndNotice(int trailingSpaces) { return PaddedNotice("JOB END", trailingSpaces); }

}  // namespace sorvane
