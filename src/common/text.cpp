#include "common/text.h"

#include <array>

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

// Windows opens its devices in place of these names, in any case and whatever follows
// the first dot ("nul.csv" and "Com1 .txt" are devices too).
static bool NamesADevice(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kDevices{"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  const std::string_view stem = name.substr(0, name.find('.'));
  const std::string_view trimmed = stem.substr(0, stem.find_last_not_of(' ') + 1);
  for (const std::string_view device : kDevices)
    if (EqualsIgnoringCase(trimmed, device)) return true;
  const bool numberedPort = trimmed.size() == 4 && (EqualsIgnoringCase(trimmed.substr(0, 3), "COM") ||
                                                    EqualsIgnoringCase(trimmed.substr(0, 3), "LPT"));
  return numberedPort && trimmed[3] >= '0' && trimmed[3] <= '9';
}

std::string WhyNotBareName(std::string_view name) {
  if (name.empty()) return "an empty name";
  if (name.find_first_of("/\\") != std::string_view::npos) return "a name holding a path separator";
  if (name == "." || name == "..") return "a name that leaves its folder";
  if (name.find('\0') != std::string_view::npos) return "a name holding a NUL byte";
  // What Windows would silently read as another file: a drive ("C:x.csv") or a stream
  // ("x.csv:y"), a name less its last dots and spaces, a device.
  if (name.find(':') != std::string_view::npos) return "a name holding a colon (a drive or a stream on Windows)";
  if (name.back() == '.' || name.back() == ' ') return "a name ending in a dot or a space";
  if (NamesADevice(name)) return "a name that Windows keeps for a device";
  return {};
}

}  // namespace sorvane
