#include "common/file_kind.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace sorvane {
namespace {

using namespace std::string_literals;

// The beginnings of files a spreadsheet writes, and what each is called.
TEST(ReadableAsCommaSeparatedText, NamesWhatTheFileIs) {
  struct Case {
    std::string beginning;
    const char* startsWith;  // nullptr: may be comma-separated text
  };
  const Case cases[] = {
      {"Kestrel\r\nLatitude,Longitude,Elevation\r\n14.41,77.37,350\r\nDate,TMAX\r\n", nullptr},
      {"Kestrel; Ridge\tNorth\r\nLatitude,Longitude,Elevation\r\n", nullptr},  // line 1 is free text
      {"PKestrel\r\nLatitude,Longitude,Elevation\r\n", nullptr},
      {"", nullptr},
      {"Kestrel\r\nLatitude;Longitude;Elevation\r\n14,41;77,37;350\r\n", "the file is separated by semicolons"},
      {"Kestrel\r\nLatitude;Longitude;Elevation\r\n14.41;77.37;350\r\n", "the file is separated by semicolons"},
      {"Kestrel\nLatitude\tLongitude\tElevation\n", "the file is separated by tabs"},
      {"\xFF\xFE" "K\0"s, "the file is UTF-16 text"},
      {"\xFE\xFF\0K"s, "the file is UTF-16 text"},
      {"K\0e\0s\0t\0r\0e\0l\0\r\0\n\0"s, "the file is UTF-16 text"},
      {"PK\x03\x04\x14\0"s, "the file is an Excel workbook (a zip file)"},
      {"\xD0\xCF\x11\xE0\xA1\xB1", "the file is an Excel 97-2003 workbook"},
  };
  for (const Case& c : cases) {
    const auto read = ReadableAsCommaSeparatedText(c.beginning);
    if (!c.startsWith) {
      EXPECT_TRUE(read) << EscapedText(c.beginning) << ": " << read.error().message;
      continue;
    }
    ASSERT_FALSE(read) << EscapedText(c.beginning);
    const std::string& why = read.error().message;
    EXPECT_EQ(read.error().line, 0) << why;
    EXPECT_TRUE(why.starts_with(c.startsWith)) << why;
    EXPECT_TRUE(why.ends_with("save it as CSV with commas and a decimal point") ||
                why.ends_with("(UTF-8 or plain ASCII)"))
        << why;
  }
}

}  // namespace
}  // namespace sorvane
