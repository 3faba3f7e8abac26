// Names and texts: result names, names kept inside their folder, texts shown escaped.
#include <gtest/gtest.h>

#include "common/text.h"

namespace sorvane {
namespace {

using namespace std::string_literals;

TEST(EscapedText, KeepsUtf8AndEscapesControlAndStrayBytes) {
  EXPECT_EQ(EscapedText("Tmax (\xC2\xB0" "C)"), "Tmax (\xC2\xB0" "C)");
  EXPECT_EQ(EscapedText("6\0" "5"s), "6\\x005");
  EXPECT_EQ(EscapedText("a\tb\r\n\x7F"), "a\\x09b\\x0d\\x0a\\x7f");
  EXPECT_EQ(EscapedText("\xB0" "C"), "\\xb0C");              // Latin-1 degree sign: no UTF-8
  EXPECT_EQ(EscapedText("\xC2\x85"), "\\xc2\\x85");            // a C1 control written as UTF-8
  EXPECT_EQ(EscapedText("\xE2\x82"), "\\xe2\\x82");            // a sequence cut short
  EXPECT_EQ(EscapedText("\xED\xA0\x80"), "\\xed\\xa0\\x80");   // a surrogate
  EXPECT_EQ(EscapedText("\xF0\x9F\x8C\xA7"), "\xF0\x9F\x8C\xA7");
}

// The search that tests eight bytes at once finds what a byte-by-byte search finds, at
// every offset of the text and of the start: bytes next to CR and LF in value, bytes
// above 0x7f and zeros are where a word-at-a-time test goes wrong.
TEST(FindEither, FindsWhatAByteByByteSearchFinds) {
  const std::string bytes = "ab,\x0c\x0e\x09\x0b\x80\xff\x00\x8d\x8a 7"s;
  for (const char target : {'\r', '\n'}) {
    for (std::size_t length = 0; length <= 24; ++length) {
      for (std::size_t at = 0; at <= length; ++at) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += bytes[(i * 7 + length) % bytes.size()];
        if (at < length) text[at] = target;
        for (std::size_t from = 0; from <= length; ++from) {
          std::size_t expected = std::string_view::npos;
          for (std::size_t i = from; i < text.size(); ++i)
            if (text[i] == '\r' || text[i] == '\n') { expected = i; break; }
          ASSERT_EQ(FindEither(text, '\r', '\n', from), expected) << length << " " << at << " " << from;
        }
      }
    }
  }
}

TEST(ResultFileName, RemovesTheLastFourCharactersWhateverTheyAre) {
  EXPECT_EQ(ResultFileName("STN1.csv", "_PET.csv"), "STN1_PET.csv");
  EXPECT_EQ(ResultFileName("a.txt", "_PET.csv"), "a_PET.csv");
  EXPECT_EQ(ResultFileName("rain.xlsx", "_PET.csv"), "rain._PET.csv");
  EXPECT_EQ(ResultFileName("ABCDEFG", "_PET.csv"), "ABC_PET.csv");
  EXPECT_EQ(ResultFileName("ab", "_PET.csv"), "ab_PET.csv");  // shorter names keep their whole name
  EXPECT_EQ(ResultFileName("list.csv", "_COEFFI.csv"), "list_COEFFI.csv");
}

TEST(WhyNotBareName, KeepsNamesInsideTheirFolder) {
  for (const char* bad : {"../../etc/passwd", "/etc/passwd", "..", ".", "a/b.csv", "a\\b.csv", ""})
    EXPECT_NE(WhyNotBareName(bad), "") << bad;
  for (const char* good : {"STN1.csv", "a..b.csv", "x", "rain.xlsx"}) EXPECT_EQ(WhyNotBareName(good), "") << good;
}

TEST(WhyNotBareName, RefusesWhatWindowsWouldReadAsAnotherFile) {
  for (const char* bad : {"C:x.csv", "c:STN1.csv", "x.csv:stream", "STN1.csv.", "STN1.csv ", "STN1.", "CON", "con.csv",
                          "Nul.txt", "AUX", "prn.csv", "COM1", "com9.csv", "LPT1.txt", "lpt0", "CON .csv",
                          "CONIN$", "conout$.txt"})
    EXPECT_NE(WhyNotBareName(bad), "") << bad;
  for (const char* good : {"CONSTANT.csv", "COM10.csv", "COMA.csv", "NULL.csv", "xCON.csv", "AUX_STATION.csv",
                           "LPT.csv", ".hidden.csv", "\xc3\xa9t\xc3\xa9.csv"})
    EXPECT_EQ(WhyNotBareName(good), "") << good;
}

}  // namespace
}  // namespace sorvane
