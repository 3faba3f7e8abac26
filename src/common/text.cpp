#include "common/text.h"

namespace sorvane {

static char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

std::string NormaliseHead(std::string_view text) {
  std::string head;
  head.reserve(text.size());
  for (char c : text)
    if (c != ' ') head.push_back(UpperAscii(c));
  return head;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string ResultFileName(std::string_view dataFileName, std::string_view suffix) {
  const std::string_view base =
      dataFileName.size() >= 4 ? dataFileName.substr(0, dataFileName.size() - 4) : dataFileName;
  std::string name(base);
  name += suffix;
  return name;
}

std::string WhyNotBareName(std::string_view name) {
  if (name.empty()) return "an empty name";
  if (name.find_first_of("/\\") != std::string_view::npos) return "a name holding a path separator";
  if (name == "." || name == "..") return "a name that leaves its folder";
  if (name.find('\0') != std::string_view::npos) return "a name holding a NUL byte";
  return {};
}

}  // namespace sorvane
