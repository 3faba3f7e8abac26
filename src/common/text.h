// Small text helpers shared by every reader: trimming, ASCII case, and the
// file-name rules that keep names from the user's files inside their folders.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace sorvane {

// Leading and trailing spaces (only the space character, as the formats say).
inline std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The first `a` or `b` in `text` from `from` on, or npos. One pass over the bytes:
// find_first_of would search its set once for every byte. Eight bytes are tested at
// once while none of them is either (a line of a weather file is some forty bytes
// before its line end); the word that holds one is then searched byte by byte.
inline std::size_t FindEither(std::string_view text, char a, char b, std::size_t from = 0) {
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  // True when some byte of `word` is zero (exactly: a borrow may only mark a later byte).
  auto holdsZeroByte = [](std::uint64_t word) { return ((word - kOnes) & ~word & kHighs) != 0; };
  const std::uint64_t allA = kOnes * static_cast<unsigned char>(a), allB = kOnes * static_cast<unsigned char>(b);
  std::size_t i = from;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (holdsZeroByte(word ^ allA) || holdsZeroByte(word ^ allB)) break;
  }
  for (; i < text.size(); ++i)
    if (text[i] == a || text[i] == b) return i;
  return std::string_view::npos;
}

// Where the line that holds `from` ends in `text` (its CR or LF), or npos.
inline std::size_t LineEndIn(std::string_view text, std::size_t from = 0) { return FindEither(text, '\r', '\n', from); }

std::string ToUpperAscii(std::string_view text);

// Text from a user's file as a message may show it: valid UTF-8 stays as it is, while
// control bytes and bytes that are no UTF-8 are written \xNN, so that a message never
// carries a raw byte a terminal or a message box would garble ("6\x005", "\xff\xfeS").
std::string EscapedText(std::string_view text);

// Upper-cased with every space removed: how header lines and heads are compared.
std::string NormaliseHead(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

// The name less its last four characters plus `suffix`; a name of fewer than four
// characters keeps its whole name ("ABCDEFG" -> "ABC_PET.csv", "ab" -> "ab_PET.csv").
std::string ResultFileName(std::string_view dataFileName, std::string_view suffix);

// A bare file name that cannot leave its folder and names the same file on every system:
// not empty, no path separator, not "." or "..", no NUL, no colon, no dot or space at
// its end, no device name of Windows (CON, NUL, COM1...). Returns the reason when it is
// not, else an empty string.
std::string WhyNotBareName(std::string_view name);

}  // namespace sorvane
