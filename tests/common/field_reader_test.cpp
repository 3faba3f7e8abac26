#include "common/field_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <bit>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>
#include "common/numbers.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using End = FieldReader::End;
using Status = FieldReader::Status;

struct Seen {
  std::string text;
  End end;
  long line;
  bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
  return out << "{'" << s.text << "', " << static_cast<int>(s.end) << ", line " << s.line << "}";
}

std::vector<Seen> AllFields(FieldReader& reader) {
  std::vector<Seen> seen;
  for (auto field = reader.Next(); field.status == Status::Ok; field = reader.Next())
    seen.push_back({std::string(field.text), field.end, field.line});
  return seen;
}

std::vector<Seen> AllFields(std::string_view content) {
  FieldReader reader(content);
  return AllFields(reader);
}

TEST(FieldReader, EveryKindOfLineEndSeparatesFieldsLikeAComma) {
  const std::vector<Seen> expected{{"a", End::Comma, 1}, {"b", End::LineEnd, 1}, {"c", End::LineEnd, 2},
                                   {"d", End::FileEnd, 3}};
  for (const char* content : {"a,b\r\nc\r\nd", "a,b\rc\rd", "a,b\nc\nd", "a,b\r\nc\nd"})
    EXPECT_EQ(AllFields(content), expected) << content;
}

TEST(FieldReader, SkipsSpacesBeforeAFieldAndKeepsEmptyFields) {
  const std::vector<Seen> expected{{"8.5 ", End::Comma, 1}, {"", End::Comma, 1}, {"x", End::LineEnd, 1},
                                   {"", End::LineEnd, 2}, {"y", End::Comma, 3}, {"", End::FileEnd, 3}};
  EXPECT_EQ(AllFields("   8.5 ,,x\r\n\r\ny,"), expected);
}

TEST(FieldReader, QuotedFieldsHoldCommasAndLineEnds) {
  const std::vector<Seen> expected{{"a,b", End::Comma, 1}, {"two\r\nlines", End::LineEnd, 1},
                                   {"z", End::FileEnd, 3}};
  EXPECT_EQ(AllFields("\"a,b\",\"two\r\nlines\"  \r\nz"), expected);
}

TEST(FieldReader, ReportsMalformedQuotes) {
  FieldReader unclosed("x,\"never closed\r\n1,2");
  unclosed.Next();
  EXPECT_EQ(unclosed.Next().status, Status::UnclosedQuote);
  FieldReader trailing("\"ab\"cd,1");
  EXPECT_EQ(trailing.Next().status, Status::TextAfterQuote);
}

TEST(FieldReader, RefusesFieldsAndLinesLongerThanTheLimit) {
  const std::string longField(FieldReader::kMaxFieldBytes + 1, '7');
  FieldReader fields(longField);
  EXPECT_EQ(fields.Next().status, Status::TooLong);
  std::string line;
  FieldReader lines(longField);
  EXPECT_EQ(lines.ReadLine(line), Status::TooLong);
}

TEST(FieldReader, ReadsWholeLinesAndKnowsWhenOnlyBlankLinesRemain) {
  FieldReader reader("Kestrel, Ridge\r\nLatitude,Longitude\r\n1,2\r\n  \r\n\r\n");
  std::string line;
  ASSERT_EQ(reader.ReadLine(line), Status::Ok);
  EXPECT_EQ(line, "Kestrel, Ridge");
  ASSERT_EQ(reader.ReadLine(line), Status::Ok);
  EXPECT_EQ(line, "Latitude,Longitude");
  EXPECT_EQ(reader.Line(), 3);
  reader.Next();
  reader.Next();
  EXPECT_TRUE(reader.SkipBlankRest());
  EXPECT_EQ(reader.Next().status, Status::EndOfFile);

  FieldReader notBlank("1\r\n\r\n2\r\n");
  notBlank.Next();
  EXPECT_FALSE(notBlank.SkipBlankRest());
}

// A file is read in blocks; fields, quotes and CR LF pairs that straddle a block
// boundary must read exactly as they do from memory.
TEST(FieldReader, FilesReadExactlyAsMemoryAcrossBlockBoundaries) {
  const auto path = std::filesystem::temp_directory_path() / "sorvane_field_reader_blocks.csv";
  for (std::size_t padding : {0u, 1u, 2u, 3u, 5u, 8u}) {
    std::string content(padding, 'p');
    content += ",";
    for (int row = 0; content.size() < 600 * 1024; ++row)
      content += "01/01/1970,29.6,\"4,5\", 65 ,,4\r" + std::string(row % 2 ? "\n" : "") + std::to_string(row) + ",";
    std::ofstream(path, std::ios::binary) << content;
    auto fromFile = FieldReader::Open(path);
    ASSERT_TRUE(fromFile) << fromFile.error().message;
    EXPECT_EQ(AllFields(*fromFile), AllFields(content)) << "padding " << padding;
  }
  std::filesystem::remove(path);
}

TEST(FieldReader, OpeningAFolderOrAMissingFileFails) {
  const auto folder = FieldReader::Open(std::filesystem::temp_directory_path());
  ASSERT_FALSE(folder);
  EXPECT_EQ(folder.error().message, "it is a folder, not a file");
  const auto missing = FieldReader::Open("/no/such/file.csv");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error(), (Problem{"/no/such/file.csv", 0, {}, "No such file or directory"}));
}


std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

struct SplitField {
  std::string text;
  FieldReader::End end;
  long line;
  bool operator==(const SplitField&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SplitField& f) {
  return out << "{'" << f.text << "', " << static_cast<int>(f.end) << ", line " << f.line << "}";
}

// The field rules applied to a whole text at once: spaces before a field skipped, a
// quoted field up to its closing quote (spaces after it skipped), an unquoted one up to
// a comma or a line end (CR LF, CR or LF, counted once), one empty field after a
// comma that ends the text.
std::vector<SplitField> ReferenceSplit(std::string_view text) {
  std::vector<SplitField> fields;
  std::size_t i = 0;
  long line = 1;
  bool afterComma = false;
  for (;;) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) {
      if (afterComma) fields.push_back({"", FieldReader::End::FileEnd, line});
      return fields;
    }
    SplitField field{"", FieldReader::End::FileEnd, line};
    if (text[i] == '"') {
      const std::size_t close = text.find('"', i + 1);
      field.text = std::string(text.substr(i + 1, close - i - 1));
      for (std::size_t k = i + 1; k < close; ++k)
        if (text[k] == '\r' || (text[k] == '\n' && text[k - 1] != '\r')) ++line;
      i = close + 1;
      while (i < text.size() && text[i] == ' ') ++i;
    } else {
      const std::size_t start = i;
      while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') ++i;
      field.text = std::string(text.substr(start, i - start));
    }
    afterComma = i < text.size() && text[i] == ',';
    if (i == text.size()) {
      field.end = FieldReader::End::FileEnd;
    } else if (afterComma) {
      field.end = FieldReader::End::Comma;
      ++i;
    } else {
      field.end = FieldReader::End::LineEnd;
      ++line;
      i += text.substr(i, 2) == "\r\n" ? 2 : 1;
    }
    fields.push_back(field);
  }
}

std::vector<SplitField> ReadAll(FieldReader& reader) {
  std::vector<SplitField> fields;
  for (auto f = reader.Next(); f.status == FieldReader::Status::Ok; f = reader.Next()) {
    fields.push_back({std::string(f.text), f.end, f.line});
    if (f.end == FieldReader::End::FileEnd) break;
  }
  return fields;
}

// Six texts of random pieces and line ends, each over 700 KiB (more than two blocks of
// the reader), every other one ending in `tail` without a line end; each is read from
// memory and from a file, and `check(text, reader)` tests the reading.
template <typename Check>
void ReadRandomRows(std::uint64_t seed, std::span<const std::string_view> pieces, std::string_view tail,
                    Check check) {
  constexpr std::string_view kEnds[] = {",", ",", ",", "\r\n", "\r", "\n"};
  const testing::TempAppFolder folder;
  const auto path = folder.Path("rows.csv");
  std::mt19937_64 random(seed);
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::string text;
    while (text.size() < 700 * 1024) {
      text += pieces[random() % pieces.size()];
      text += kEnds[random() % std::size(kEnds)];
    }
    if (round % 2) text += tail;
    FieldReader fromMemory(text);
    check(text, fromMemory);
    std::ofstream(path, std::ios::binary) << text;
    auto fromFile = FieldReader::Open(path);
    ASSERT_TRUE(fromFile) << fromFile.error().message;
    check(text, *fromFile);
  }
}

TEST(FieldReaderFastPath, FieldsReadAsTheRulesSplitThem) {
  const std::string_view pieces[] = {"12.5", "", " 7 ", "01/31/2012", "\"a,b\"", "\"x\r\ny\"", " \"q\"  ",
                                     "\"\"", "abc", "  ", "\"line\rend\""};
  ReadRandomRows(13, pieces, "tail", [](const std::string& text, FieldReader& reader) {
    ASSERT_EQ(ReadAll(reader), ReferenceSplit(text));
  });
}



// A number field as the row reader takes it: in one pass where NextShortNumber can,
// or as a field and then ParseNumber.
struct ReadNumber {
  NumberStatus status;
  std::uint64_t bits;
  bool endsLine;
  long line;
  bool operator==(const ReadNumber&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ReadNumber& n) {
  return out << "{" << static_cast<int>(n.status) << ", " << std::bit_cast<double>(n.bits) << ", "
             << n.endsLine << ", line " << n.line << "}";
}

std::vector<ReadNumber> ReadNumbers(FieldReader& reader, bool onePass) {
  std::vector<ReadNumber> numbers;
  for (;;) {
    const long line = reader.Line();
    if (FieldReader::ShortNumber quick; onePass && reader.NextShortNumber(quick)) {
      numbers.push_back({quick.empty ? NumberStatus::Empty : NumberStatus::Value, Bits(quick.value), quick.endsLine, line});
      continue;
    }
    const auto field = reader.Next();
    if (field.status != FieldReader::Status::Ok) return numbers;
    const ParsedNumber number = ParseNumber(field.text);
    numbers.push_back({number.status, Bits(number.value), field.EndsLine(), field.line});
    if (field.end == FieldReader::End::FileEnd) return numbers;
  }
}

// The one-pass reading of numbers gives what a field and then ParseNumber give.
TEST(FieldReaderFastPath, NumberFieldsReadInOnePassAsFieldAndNumberReadThem) {
  const std::string_view pieces[] = {"29.6", "-4", " 65 ", ".5", "3.", "+1", "", "  ", "409.5", "409.6", "4095",
                                     "4096", "0.05", "-0", "123456789012345", "1234567890123456", "1e5", "\"7\"",
                                     "- 5", "5 5", "abc", ".", "-", "12.34.5", "  -17.25  ", "1.000000000000001"};
  ReadRandomRows(29, pieces, "4.5", [](const std::string& text, FieldReader& reader) {
    FieldReader reference(text);
    ASSERT_EQ(ReadNumbers(reader, true), ReadNumbers(reference, false));
  });
}


}  // namespace
}  // namespace sorvane
