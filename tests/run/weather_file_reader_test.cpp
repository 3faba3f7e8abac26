#include "run/weather_file_reader.h"

#include <gtest/gtest.h>

#include "support/weather_file.h"

namespace sorvane {
namespace {

using Step = WeatherFileReader::Step;

// The head of a weather file and `rows` as they stand, with or without the closing "&".
std::string File(std::string_view headerLine, std::string_view rows,
                 std::string_view line3 = testing::kExampleCoordinates) {
  return testing::WeatherFileHead(headerLine, line3) + std::string(rows);
}

struct Read {
  std::optional<WeatherFileHeader> header;
  std::vector<WeatherRecord> records;
  std::vector<std::string> keys;
  LineProblem problem;
  bool refused = false;
};

Read ReadAll(const std::string& content) {
  WeatherFileReader reader{FieldReader(content)};
  Read read;
  read.header = reader.ReadHeader();
  if (!read.header) {
    read.refused = true;
    read.problem = reader.Problem();
    return read;
  }
  WeatherRecord record;
  Step step;
  while ((step = reader.NextRecord(record)) == Step::Record) {
    read.records.push_back(record);
    read.keys.emplace_back(record.PeriodKey);
  }
  if (step == Step::Problem) {
    read.refused = true;
    read.problem = reader.Problem();
  }
  return read;
}

TEST(ReadHeader, DailyHeaderWithTwoParameters) {
  const Read read = ReadAll(File("Date,TMAX,TMIN", "&\r\n"));
  ASSERT_TRUE(read.header);
  EXPECT_EQ(read.header->Period, PeriodType::Date);
  EXPECT_EQ(read.header->ParameterColumns, 2);
  EXPECT_EQ(read.header->ColumnCodes, (std::vector<Parameter>{Parameter::TMAX, Parameter::TMIN}));
  EXPECT_EQ(read.header->Station.StationName, testing::kTestStationName);
  EXPECT_EQ(read.header->Station.Latitude, 14.41);
  EXPECT_EQ(read.header->Station.Longitude, 77.37);
  EXPECT_EQ(read.header->Station.Elevation, 350);
}

TEST(ReadHeader, PeriodWordsAreTestedInOrderAndTheLastMatchWins) {
  EXPECT_EQ(ReadAll(File("Date,TMAX,MONTHLYEVP", "")).header->Period, PeriodType::Month);
  EXPECT_EQ(ReadAll(File("Year,Week,TMAX", "")).header->Period, PeriodType::Week);
  EXPECT_EQ(ReadAll(File("year,month,TMAX", "")).header->Period, PeriodType::Month);
}

TEST(ReadHeader, HeadsAreComparedUpperCasedWithoutSpaces) {
  const Read read = ReadAll(File("Date,Tmax,T MAX,RH 1,TMAX1,evp", ""));
  EXPECT_EQ(read.header->ColumnCodes, (std::vector<Parameter>{Parameter::TMAX, Parameter::TMAX, Parameter::RH1,
                                                              Parameter::None, Parameter::EVP}));
  EXPECT_EQ(read.header->NormalisedHeaderLine, "DATE,TMAX,TMAX,RH1,TMAX1,EVP");
}

TEST(ReadHeader, StationNameLosesCommasAndAByteOrderMark) {
  const Read read = ReadAll("\xEF\xBB\xBF Kestrel, Ridge ,,,\r\nLatitude,Longitude,Elevation,,\r\n14.41,77.37,350,,\r\n"
                            "Date,TMAX\r\n&\r\n");
  ASSERT_TRUE(read.header) << read.problem.what;
  EXPECT_EQ(read.header->Station.StationName, "Kestrel Ridge");
}

TEST(NextRecord, ReadsDailyRowsWithSpacesBeforeCommas) {
  const Read read = ReadAll(File("Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP", "12/31/2010,17.6,8.5 ,100,86 ,5  ,0  ,0\r\n&\r\n"));
  ASSERT_EQ(read.records.size(), 1u);
  const WeatherRecord& r = read.records[0];
  EXPECT_EQ(read.keys[0], "12/31/2010");
  EXPECT_EQ(r.TMAX, 17.6);
  EXPECT_EQ(r.TMIN, 8.5);
  EXPECT_EQ(r.RH1, 100);
  EXPECT_EQ(r.RH2, 86);
  EXPECT_EQ(r.WS, 5);
  EXPECT_EQ(r.SS, 0);
  EXPECT_EQ(r.EVP, 0);
  EXPECT_EQ(r.Tmean, (17.6 + 8.5) / 2);
  EXPECT_EQ(r.DayOfYear, 365);
}

TEST(NextRecord, DayOfYearCountsEveryFourthYearAsLeap) {
  const std::pair<const char*, int> cases[] = {
      {"02/29/2012", 60}, {"03/01/2012", 61}, {"03/01/2011", 60}, {"12/31/2012", 366},
      {"03/01/1900", 61}, {"02/28/1900", 59}, {"1/5/1970", 5},    {"01/01/1970", 1},
  };
  for (const auto& [date, day] : cases) {
    const Read read = ReadAll(File("Date,TMAX", std::string(date) + ",30\r\n"));
    ASSERT_EQ(read.records.size(), 1u) << date << ": " << read.problem.what;
    EXPECT_EQ(read.records[0].DayOfYear, day) << date;
    EXPECT_EQ(read.keys[0], date);
  }
}

TEST(NextRecord, WeeksAndMonthsTakeTheirRepresentativeDay) {
  const Read weeks = ReadAll(File("Year,Week,TMAX", "1971,1,30\r\n1971,53,30\r\n1971, 2.5 ,30\r\n"));
  ASSERT_EQ(weeks.records.size(), 3u);
  EXPECT_EQ(weeks.records[0].DayOfYear, 4);
  EXPECT_EQ(weeks.records[1].DayOfYear, 368);
  EXPECT_EQ(weeks.records[2].PeriodNumber, 2.5);
  const Read months = ReadAll(File("Year,Month,TMAX", "1985,2,30\r\n1985,12,30\r\n"));
  ASSERT_EQ(months.records.size(), 2u);
  EXPECT_EQ(months.records[0].DayOfYear, 46);
  EXPECT_EQ(months.records[1].DayOfYear, 346);
  EXPECT_EQ(months.keys[1], "1985");
}

TEST(NextRecord, WindBelowTheFloorIsRaisedTo1Point6) {
  const Read read = ReadAll(File("Date,WS", "01/01/1970,0.9\r\n01/02/1970,1.6\r\n01/03/1970,1.61\r\n01/04/1970,\r\n"));
  ASSERT_EQ(read.records.size(), 4u);
  EXPECT_EQ(read.records[0].WS, 1.6);
  EXPECT_EQ(read.records[1].WS, 1.6);
  EXPECT_EQ(read.records[2].WS, 1.61);
  EXPECT_EQ(read.records[3].WS, 1.6);
  EXPECT_EQ(ReadAll(File("Date,TMAX", "01/01/1970,30\r\n")).records[0].WS, 1.6);  // no WS column
}

TEST(NextRecord, ColumnsGoByTheirHeadsAndTheLaterOfTwoWins) {
  const Read read = ReadAll(File("Date,TMIN,TMAX,RH1,RH1,PRESS", "01/01/1970,4,29.6,65,70,1013\r\n"));
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(read.records[0].TMIN, 4);
  EXPECT_EQ(read.records[0].TMAX, 29.6);
  EXPECT_EQ(read.records[0].RH1, 70);
  EXPECT_EQ(read.records[0].SS, 0);
}

TEST(NextRecord, TheDataEndAtTheAmpersandOrTheEndOfTheFile) {
  EXPECT_EQ(ReadAll(File("Date,TMAX", "  &  \r\n01/01/1970,x\r\n")).records.size(), 0u);
  EXPECT_EQ(ReadAll(File("Date,TMAX", "01/01/1970,30\r\n&,1,2\r\ngarbage")).records.size(), 1u);
  EXPECT_EQ(ReadAll(File("Date,TMAX", "01/01/1970,30")).records.size(), 1u);
  EXPECT_EQ(ReadAll(File("Date,TMAX", "01/01/1970,30\n01/02/1970,31\n")).records.size(), 2u);
  const Read trailingBlanks = ReadAll(File("Date,TMAX", "01/01/1970,30\r\n\r\n   \r\n\r\n"));
  EXPECT_FALSE(trailingBlanks.refused);
  EXPECT_EQ(trailingBlanks.records.size(), 1u);
}

// Files outside the format are refused, naming the line and the field.
TEST(WeatherFileReader, RefusesWhatItCannotReadExactly) {
  struct Case {
    const char* name;
    std::string content;
    long line;
    const char* what;
  };
  const Case cases[] = {
      {"empty file", "", 1, "the file is empty"},
      {"header only", "Kestrel\r\nLatitude,Longitude,Elevation\r\n14.41,77.37,350\r\n", 4,
       "the file ends before line 4 (the header line)"},
      {"no period word", File("Day,TMAX", ""), 4, "the header line names no period (a head with Date, Week or Month)"},
      {"eight parameter columns", File("Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP,EVP", ""), 4,
       "the header line names 8 parameter columns; at most 7 are allowed"},
      {"quoted comma in the header", File("Date,\"TMAX,TMIN\"", ""), 4,
       "the header line holds a comma inside double quotes"},
      {"line 3 too few", File("Date,TMAX", "", "14.41,77.37"), 3,
       "line 3 holds 2 values; latitude, longitude and elevation are needed"},
      {"line 3 too many", File("Date,TMAX", "", "14.41,77.37,350,7"), 3, "line 3 holds 4 values where line 2 announces 3"},
      {"line 3 not a number", File("Date,TMAX", "", "14.41,East,350"), 3, "field 2 (longitude) 'East' is not a number"},
      {"latitude beyond the pole", File("Date,TMAX", "", "91,77.37,350"), 3,
       "field 1 (latitude) '91' lies beyond the poles"},
      {"non-numeric value", File("Date,TMAX,TMIN", "01/01/1970,29.6,4\r\n01/02/1970,29.5,n/a\r\n"), 6,
       "field 3 (TMIN) 'n/a' is not a number"},
      {"day 13 of month 1 written first", File("Date,TMAX", "13/01/2010,30\r\n"), 5,
       "field 1 (Date) '13/01/2010' is not a date of the calendar written month/day/year"},
      {"30 February", File("Date,TMAX", "02/30/2011,30\r\n"), 5,
       "field 1 (Date) '02/30/2011' is not a date of the calendar written month/day/year"},
      {"29 February 1900", File("Date,TMAX", "02/29/1900,30\r\n"), 5,
       "field 1 (Date) '02/29/1900' is not a date of the calendar written month/day/year"},
      {"two-digit year", File("Date,TMAX", "1/1/70,30\r\n"), 5,
       "field 1 (Date) '1/1/70' is not a date of the calendar written month/day/year"},
      {"ISO date", File("Date,TMAX", "2010-01-01,30\r\n"), 5,
       "field 1 (Date) '2010-01-01' is not a date of the calendar written month/day/year"},
      {"month 0", File("Year,Month,TMAX", "1985,0,30\r\n"), 5, "field 2 (Month) '0' is not a month number from 1 to 12"},
      {"month 13", File("Year,Month,TMAX", "1985,13,30\r\n"), 5, "field 2 (Month) '13' is not a month number from 1 to 12"},
      {"month 2.5", File("Year,Month,TMAX", "1985,2.5,30\r\n"), 5, "field 2 (Month) '2.5' is not a month number from 1 to 12"},
      {"year not a number", File("Year,Week,TMAX", "1971,1,30\r\nl971,2,30\r\n"), 6, "field 1 (Year) 'l971' is not a number"},
      {"row cut short", File("Date,TMAX,TMIN", "01/01/1970,29.6\r\n01/02/1970,29.5,3\r\n"), 5,
       "the row ends after field 2; the header line has 3 fields"},
      {"row too long", File("Date,TMAX,TMIN", "01/01/1970,29.6,4,7\r\n"), 5,
       "the row holds more than the 3 fields of the header line"},
      {"file ends inside a row", File("Date,TMAX,TMIN", "01/01/1970,29.6"), 5,
       "the row ends after field 2; the header line has 3 fields"},
      {"blank line in the middle", File("Date,TMAX", "01/01/1970,30\r\n\r\n01/02/1970,30\r\n"), 6,
       "a blank line in the middle of the data"},
      {"quote never closed", File("Date,TMAX", "01/01/1970,\"30\r\n01/02/1970,30\r\n"), 5,
       "field 2 (TMAX): a double quote that is never closed"},
      {"NUL inside a field", File("Date,TMAX", std::string("01/01/1970,3\0" "0\r\n", 17)), 5,
       "field 2 (TMAX) '3?0' is not a number"},
  };
  for (const Case& c : cases) {
    const Read read = ReadAll(c.content);
    EXPECT_TRUE(read.refused) << c.name;
    EXPECT_EQ(read.problem.line, c.line) << c.name;
    EXPECT_EQ(read.problem.what, c.what) << c.name;
  }
}

TEST(WeatherFileReader, ALineOfTenMegabytesIsRefusedNotBuffered) {
  const Read read = ReadAll(File("Date,TMAX", "01/01/1970," + std::string(10 << 20, '9') + "\r\n"));
  EXPECT_TRUE(read.refused);
  EXPECT_EQ(read.problem.what, "field 2 (TMAX): a field or line longer than 1 MiB");
}

}  // namespace
}  // namespace sorvane
