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
  Problem problem;
  bool refused = false;
};

Read ReadAll(const std::string& content) {
  WeatherFileReader reader{FieldReader(content)};
  Read read;
  auto header = reader.ReadHeader();
  if (!header) {
    read.refused = true;
    read.problem = header.error();
    return read;
  }
  read.header = std::move(*header);
  WeatherRecord record;
  Expected<Step> step = Step::End;
  while ((step = reader.NextRecord(record)) == Step::Record) {
    read.records.push_back(record);
    read.keys.emplace_back(record.PeriodKey);
  }
  if (!step) {
    read.refused = true;
    read.problem = step.error();
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
  const Read monthly = ReadAll(File("Date,MONTHLYEVP,TMAX", ""));
  ASSERT_TRUE(monthly.header);
  EXPECT_EQ(monthly.header->Period, PeriodType::Month);
  // A daily file with such a head is taken for monthly, and TMAX then stands where the
  // month number belongs: refused rather than read with shifted columns.
  const Read shifted = ReadAll(File("Date,TMAX,MONTHLYEVP", ""));
  EXPECT_TRUE(shifted.refused);
  EXPECT_EQ(shifted.problem.message, "head 2 'TMAX' stands where the period heads belong; a monthly file begins Year,Month");
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
  ASSERT_TRUE(read.header) << read.problem.message;
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
    ASSERT_EQ(read.records.size(), 1u) << date << ": " << read.problem.message;
    EXPECT_EQ(read.records[0].DayOfYear, day) << date;
    EXPECT_EQ(read.keys[0], date);
  }
}

TEST(NextRecord, WeeksAndMonthsTakeTheirRepresentativeDay) {
  const Read weeks = ReadAll(File("Year,Week,TMAX", "1971,1,30\r\n1971,53,30\r\n1971, 2 ,30\r\n"));
  ASSERT_EQ(weeks.records.size(), 3u);
  EXPECT_EQ(weeks.records[0].DayOfYear, 4);
  EXPECT_EQ(weeks.records[1].DayOfYear, 368);
  EXPECT_EQ(weeks.records[2].PeriodNumber, 2);
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

// A line end separates fields as a comma does, so a row may run on over several lines.
TEST(NextRecord, ARowMayRunOnOverSeveralLines) {
  const Read daily = ReadAll(File("Date,TMAX,TMIN,RH1", "01/01/1970,29.6\r\n4\r\n65\r\n01/02/1970\r\n30,5,70\r\n&\r\n"));
  ASSERT_FALSE(daily.refused) << daily.problem.message;
  ASSERT_EQ(daily.records.size(), 2u);
  EXPECT_EQ(daily.records[0].TMIN, 4);
  EXPECT_EQ(daily.records[0].RH1, 65);
  EXPECT_EQ(daily.records[1].TMAX, 30);
  EXPECT_EQ(daily.records[1].RH1, 70);
  const Read weekly = ReadAll(File("Year,Week,TMAX", "1971\r\n1,30\r\n1971,2\r\n31\r\n"));
  ASSERT_EQ(weekly.records.size(), 2u) << weekly.problem.message;
  EXPECT_EQ(weekly.records[1].PeriodNumber, 2);
  EXPECT_EQ(weekly.records[1].TMAX, 31);
}

// A RAIN or remarks column beside the seven parameters is read and dropped.
TEST(NextRecord, AnyNumberOfColumnsIsReadAndUnknownHeadsAreDropped) {
  const Read read = ReadAll(File("Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP,RAIN,ET,Remarks",
                                 "01/01/1970,29.6,4,65,25,4,10.2,4.2,12,5.1,\"dry, windy\"\r\n"));
  ASSERT_EQ(read.records.size(), 1u) << read.problem.message;
  EXPECT_EQ(read.header->ParameterColumns, 10);
  EXPECT_EQ(read.records[0].EVP, 4.2);
  EXPECT_EQ(read.header->RecognisedColumns(), 0xFEu);
}

TEST(NextRecord, EmptyFieldsOfUsedColumnsAreCountedAndTheFirstNamed) {
  const std::string content =
      File("Date,RAIN,TMAX,TMIN", "01/01/1970,,30,20\r\n01/02/1970,1,,\r\n01/03/1970,1,30,\r\n");
  WeatherFileReader reader{FieldReader(content)};
  ASSERT_TRUE(reader.ReadHeader());
  WeatherRecord record;
  while (reader.NextRecord(record) == Step::Record) EXPECT_EQ(reader.MissingInLastRecord(), 0u);
  EXPECT_EQ(reader.EmptyFields().count, 3);
  EXPECT_EQ(reader.EmptyFields().firstLine, 6);
  EXPECT_EQ(reader.EmptyFields().firstParameter, Parameter::TMAX);
}

// By the user's rule, an empty field or a code holds no reading; the later of two
// columns of one parameter decides, as it does for the value.
TEST(NextRecord, MissingValuesAreTheParametersWithoutAReading) {
  struct Case {
    MissingValues rule;
    const char* row;
    ParameterSet missing;
  };
  const Case cases[] = {
      {{true, {}}, "01/01/1970,,20,50,", Bit(Parameter::TMAX) | Bit(Parameter::RH1)},
      {{false, {}}, "01/01/1970,,20,50,", 0},
      {{false, {-99}}, "01/01/1970,-99,-99,-99,", Bit(Parameter::TMAX) | Bit(Parameter::TMIN)},
      {{false, {-99, 9999}}, "01/01/1970,30,9999,-99,50", Bit(Parameter::TMIN)},
      {{true, {-99}}, "01/01/1970,30,20,,-99", Bit(Parameter::RH1)},
      {{true, {}}, "01/01/1970,30,20,,50", 0},
  };
  for (const Case& c : cases) {
    const std::string content = File("Date,TMAX,TMIN,RH1,RH1", std::string(c.row) + "\r\n");
    WeatherFileReader reader{FieldReader(content)};
    reader.SetMissingValues(c.rule);
    ASSERT_TRUE(reader.ReadHeader());
    WeatherRecord record;
    ASSERT_EQ(reader.NextRecord(record), Step::Record) << c.row;
    EXPECT_EQ(reader.MissingInLastRecord(), c.missing) << c.row;
  }
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
      {"a weekly file without its year", File("Week,TMAX,TMIN", "1,30,20\r\n"), 4,
       "head 2 'TMAX' stands where the period heads belong; a weekly file begins Year,Week"},
      {"a monthly file without its year", File("Month,Tmax", "1,30\r\n"), 4,
       "head 2 'TMAX' stands where the period heads belong; a monthly file begins Year,Month"},
      {"UTF-16 with its byte order mark", std::string("\xFF\xFEK\0e\0s\0\r\0\n\0", 12), 0,
       "the file is UTF-16 text, as a spreadsheet saves \"Unicode text\"; save it as CSV with commas and a decimal "
       "point (UTF-8 or plain ASCII)"},
      {"UTF-16 without one", std::string("K\0e\0s\0t\0r\0e\0l\0\r\0\n\0", 18), 0,
       "the file is UTF-16 text, as a spreadsheet saves \"Unicode text\"; save it as CSV with commas and a decimal "
       "point (UTF-8 or plain ASCII)"},
      {"a workbook", std::string("PK\x03\x04\x14\0\x06\0", 8), 0,
       "the file is an Excel workbook (a zip file), not text, whatever its name says; open it in the spreadsheet "
       "and save it as CSV with commas and a decimal point"},
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
      {"day 32", File("Date,TMAX", "32/01/2010,30\r\n"), 5,
       "field 1 (Date) '32/01/2010' is not a date of the calendar written month/day/year"},
      {"30 February", File("Date,TMAX", "02/30/2011,30\r\n"), 5,
       "field 1 (Date) '02/30/2011' is not a date of the calendar written month/day/year"},
      {"29 February 1900", File("Date,TMAX", "02/29/1900,30\r\n"), 5,
       "field 1 (Date) '02/29/1900' is not a date of the calendar written month/day/year"},
      {"two-digit year", File("Date,TMAX", "1/1/70,30\r\n"), 5,
       "field 1 (Date) '1/1/70' is not a date of the calendar written month/day/year"},
      {"ISO date out of the calendar", File("Date,TMAX", "2010-02-30,30\r\n"), 5,
       "field 1 (Date) '2010-02-30' is no date; the forms known are month/day/year (day/month/year with "
       "--day-first), YYYY-MM-DD and YYYYMMDD"},
      {"month 0", File("Year,Month,TMAX", "1985,0,30\r\n"), 5, "field 2 (Month) '0' is not a month number from 1 to 12"},
      {"month 13", File("Year,Month,TMAX", "1985,13,30\r\n"), 5, "field 2 (Month) '13' is not a month number from 1 to 12"},
      {"month 2.5", File("Year,Month,TMAX", "1985,2.5,30\r\n"), 5, "field 2 (Month) '2.5' is not a month number from 1 to 12"},
      {"year not a number", File("Year,Week,TMAX", "1971,1,30\r\nl971,2,30\r\n"), 6, "field 1 (Year) 'l971' is not a number"},
      {"week 0", File("Year,Week,TMAX", "1971,0,30\r\n"), 5, "field 2 (Week) '0' is not a week number from 1 to 53"},
      {"week 54", File("Year,Week,TMAX", "1971,54,30\r\n"), 5, "field 2 (Week) '54' is not a week number from 1 to 53"},
      {"week 2.5", File("Year,Week,TMAX", "1971,2.5,30\r\n"), 5, "field 2 (Week) '2.5' is not a week number from 1 to 53"},
      {"short row followed by a full one", File("Date,TMAX,TMIN", "01/01/1970,29.6\r\n01/02/1970,29.5,3\r\n"), 6,
       "field 3 (TMIN) '01/02/1970' is not a number; the row of line 5 has 2 fields of the 3 of the header line and "
       "runs on into line 6: a short row shifts every later field, and every row must begin at the start of a line"},
      {"short weekly row followed by a full one", File("Year,Week,TMAX,TMIN", "1971,1,30\r\n1971,2,31,20\r\n"), 6,
       "a row would begin inside line 6: the row of line 5 has 3 fields of the 4 of the header line and takes the "
       "rest from line 6, as a short row followed by a full one does; every row must begin at the start of a line"},
      {"short row before the end", File("Date,TMAX,TMIN", "01/01/1970,29.6\r\n&\r\n"), 6,
       "the row of line 5 has 2 fields of the 3 of the header line; the '&' that ends the data comes before the rest"},
      {"row with an extra field", File("Date,TMAX,TMIN", "01/01/1970,29.6,4,7\r\n"), 5,
       "the line holds more than the 3 fields of a row (an extra field, or two rows on one line); every row must "
       "begin at the start of a line"},
      {"two rows on one line", File("Date,TMAX,TMIN", "01/01/1970,29.6,4,01/02/1970,29.5,3\r\n"), 5,
       "the line holds more than the 3 fields of a row (an extra field, or two rows on one line); every row must "
       "begin at the start of a line"},
      {"blank line inside a row", File("Date,TMAX,TMIN", "01/01/1970,29.6\r\n\r\n4\r\n"), 6,
       "a blank line in the middle of the data, inside the row of line 5"},
      {"file ends inside a row", File("Date,TMAX,TMIN", "01/01/1970,29.6"), 5,
       "the file ends inside a row: field 3 (TMIN) is missing"},
      {"blank line in the middle", File("Date,TMAX", "01/01/1970,30\r\n\r\n01/02/1970,30\r\n"), 6,
       "a blank line in the middle of the data"},
      {"quote never closed", File("Date,TMAX", "01/01/1970,\"30\r\n01/02/1970,30\r\n"), 5,
       "field 2 (TMAX): a double quote that is never closed"},
      {"NUL inside a field", File("Date,TMAX", std::string("01/01/1970,3\0" "0\r\n", 17)), 5,
       "field 2 (TMAX) '3\\x000' is not a number"},
      {"bytes that are no UTF-8", File("Date,TMAX", "01/01/1970,\xB0" "C\r\n"), 5,
       "field 2 (TMAX) '\\xb0C' is not a number"},
  };
  for (const Case& c : cases) {
    const Read read = ReadAll(c.content);
    EXPECT_TRUE(read.refused) << c.name;
    EXPECT_EQ(read.problem.line, c.line) << c.name;
    EXPECT_EQ(read.problem.message, c.what) << c.name;
  }
}

TEST(WeatherFileReader, ALineOfTenMegabytesIsRefusedNotBuffered) {
  const Read read = ReadAll(File("Date,TMAX", "01/01/1970," + std::string(10 << 20, '9') + "\r\n"));
  EXPECT_TRUE(read.refused);
  EXPECT_EQ(read.problem.message, "field 2 (TMAX): a field or line longer than 1 MiB");
}

}  // namespace
}  // namespace sorvane
