#include "common/notices.h"

#include "common/text.h"

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

std::string QuotedField(std::string_view text) {
  constexpr std::size_t kShown = 40;  // a 10 MB field is named by its beginning
  return "'" + EscapedText(text.substr(0, kShown)) + (text.size() > kShown ? "...'" : "'");
}

std::string NotANumber(std::size_t fieldNumber, std::string_view head, std::string_view text) {
  return "field " + std::to_string(fieldNumber) + " (" + std::string(head) + ") " + QuotedField(text) +
         " is not a number";
}

}  // namespace sorvane
