#include "common/field_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

}  // namespace
}  // namespace sorvane
