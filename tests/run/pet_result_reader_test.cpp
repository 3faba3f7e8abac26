#include "run/pet_result_reader.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

struct ReadBack {
  PeriodType period = PeriodType::Date;
  std::vector<std::string> methods;
  std::vector<PetResultRow> rows;
  Problem problem;
};

ReadBack Read(std::string_view content) {
  PetResultReader reader{FieldReader(content)};
  ReadBack back;
  if (auto heads = reader.ReadHeads(); !heads) {
    back.problem = heads.error();
    return back;
  }
  back.period = reader.Period();
  back.methods = reader.MethodHeads();
  PetResultRow row;
  Expected<PetResultReader::Step> step = PetResultReader::Step::End;
  while ((step = reader.NextRow(row)) == PetResultReader::Step::Row) back.rows.push_back(row);
  if (!step) back.problem = step.error();
  return back;
}

Expected<PetResultReader::HeadsRead> PeriodHeadsOf(std::string_view content) {
  PetResultReader reader{FieldReader(content)};
  return reader.ReadPeriodHeads();
}

TEST(PetResultReader, KeepsTheDateAsWrittenAndEmptyValuesAsNone) {
  const ReadBack back = Read("Date,Hargreaves,Turc\r\n1/5/1970,3.70,.0\r\n01/06/1970,,4.16\r\n\r\n");
  EXPECT_EQ(back.problem.message, "");
  EXPECT_EQ(back.methods, (std::vector<std::string>{"Hargreaves", "Turc"}));
  ASSERT_EQ(back.rows.size(), 2u);
  EXPECT_EQ(back.rows[0].periodKey, "1/5/1970");
  EXPECT_EQ(back.rows[0].values, (std::vector<std::optional<double>>{3.70, 0.0}));
  EXPECT_EQ(back.rows[1].line, 3);
  EXPECT_EQ(back.rows[1].values, (std::vector<std::optional<double>>{std::nullopt, 4.16}));
}

TEST(PetResultReader, ReadsTheSpacedPeriodNumbersOfWeeklyAndMonthlyFiles) {
  const ReadBack weekly = Read("Year,Week,Hargreaves\r\n1971, 1 ,25.83\r\n");
  EXPECT_EQ(weekly.period, PeriodType::Week);
  ASSERT_EQ(weekly.rows.size(), 1u);
  EXPECT_EQ(weekly.rows[0].year, 1971);
  EXPECT_EQ(weekly.rows[0].number, 1);
  const ReadBack monthly = Read("Year,Month\r\n1985, 12 \r\n");
  EXPECT_EQ(monthly.period, PeriodType::Month);
  EXPECT_TRUE(monthly.methods.empty());
  ASSERT_EQ(monthly.rows.size(), 1u);
  EXPECT_EQ(monthly.rows[0].number, 12);
}

TEST(PetResultReader, ACommaAfterThePeriodHeadsIsFollowedByAHead) {
  const ReadBack back = Read("Date,\r\n01/01/1970,\r\n");
  EXPECT_EQ(back.methods, std::vector<std::string>{""});
  ASSERT_EQ(back.rows.size(), 1u);
  EXPECT_EQ(back.rows[0].values, std::vector<std::optional<double>>{std::nullopt});
}

TEST(PetResultReader, AHeaderWithoutPeriodHeadsIsNoResultFile) {
  for (const char* content : {"Station,Latitude\r\n", "Year,Day,Turc\r\n", "Year\r\n", "Year,\"Week\r\n"}) {
    EXPECT_EQ(PeriodHeadsOf(content), PetResultReader::HeadsRead::NoPeriodHeads) << content;
    EXPECT_EQ(Read(content).problem.line, 1) << content;
  }
  EXPECT_FALSE(PeriodHeadsOf(""));
}

struct Unreadable {
  const char* content;
  long line;
  const char* what;
};

TEST(PetResultReader, NamesTheLineAndFieldOfARowItCannotRead) {
  const Unreadable cases[] = {
      {"", 0, "the file is empty"},
      {"Date,Turc\r\n01/01/1970,4\r\n\r\n01/02/1970,4\r\n", 3, "a blank line between data lines"},
      {"Date,Turc,Hargreaves\r\n01/01/1970,4\r\n", 2,
       "2 fields where a data line has 3 (the date and a value for each method column)"},
      {"Year,Month,Turc\r\n1985, 1 ,4,5\r\n", 2,
       "4 fields where a data line has 3 (the year, the month and a value for each method column)"},
      {"Date,Turc\r\n01/01/1970,4o\r\n", 2, "field 2 (Turc) '4o' is not a number"},
      {"Year,Week,Turc\r\nl971, 1 ,4\r\n", 2, "field 1 (Year) 'l971' is not a number"},
      {"Year,Week,Turc\r\n1971, ,4\r\n", 2, "field 2 (Week) is empty"},
      {"Date,Turc\r\n01/01/1970,\"4\r\n", 2, "a double quote that is never closed"},
  };
  for (const Unreadable& c : cases) {
    const ReadBack back = Read(c.content);
    EXPECT_EQ(back.problem.line, c.line) << c.content;
    EXPECT_EQ(back.problem.message, c.what) << c.content;
  }
}

}  // namespace
}  // namespace sorvane
