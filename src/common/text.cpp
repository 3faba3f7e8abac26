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

namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes at the start of
// `text`, or 0 (overlong forms, surrogates and values beyond U+10FFFF are not well-formed).
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}

// U+0080..U+009F, the control characters of Latin-1 written as UTF-8.
bool IsC1Control(std::string_view text) {
  return static_cast<unsigned char>(text[0]) == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0;
}

}  // namespace

std::string EscapedText(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    const unsigned char c = static_cast<unsigned char>(text.front());
    std::size_t length = 1;
    if (c >= 0x20 && c < 0x7F) {
      shown.push_back(text.front());
    } else if (c >= 0x80 && (length = Utf8SequenceLength(text)) > 0 && !IsC1Control(text)) {
      shown.append(text.substr(0, length));
    } else {
      length = 1;
      shown += "\\x";
      shown.push_back(kHex[c >> 4]);
      shown.push_back(kHex[c & 0xF]);
    }
    text.remove_prefix(length);
  }
  return shown;
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
