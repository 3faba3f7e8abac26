// Weather files in the shapes real station exports take: units in the heads, the wind's
// height, heads that are not ours, dates in other forms, semicolons with decimal commas,
// tabs, Latin-1 heads, text missing codes, empty coordinates and spreadsheet rows below
// the data. Each is read into the program's units, or refused with its line and reason.
#include <gtest/gtest.h>

#include "run/weather_file_reader.h"
#include "support/weather_file.h"

namespace sorvane {
namespace {

using Step = WeatherFileReader::Step;

struct Shape {
  const char* name;
  std::string heads;             // line 4
  std::string row;               // the first data row (more rows after a CR LF)
  ReadingRules rules;
  double WeatherRecord::*field;  // what the first record must hold...
  double expected;               // ...in the program's unit
  std::string key = "";          // the PeriodKey, when it matters
  std::string coordinates = "14.41,77.37,350";
  double tolerance = 1e-9;  // in the field's unit
};

ReadingRules Columns(std::vector<ColumnNaming> columns) {
  ReadingRules rules;
  rules.columns = std::move(columns);
  return rules;
}
ReadingRules WindAt(double metres) {
  ReadingRules rules;
  rules.windHeight = metres;
  return rules;
}
ReadingRules DayFirst() {
  ReadingRules rules;
  rules.dayFirst = true;
  return rules;
}

const Shape kShapes[] = {
    {"degrees F", "Date,TMAX (\xC2\xB0" "F),TMIN", "01/01/2011,86,10", {}, &WeatherRecord::TMAX, 30},
    {"F in brackets", "Date,Tmin [degF]", "01/01/2011,50", {}, &WeatherRecord::TMIN, 10},
    {"kelvin", "Date,TMAX (K)", "01/01/2011,303.15", {}, &WeatherRecord::TMAX, 30},
    {"ordinal degree sign", "Date,TMAX (\xC2\xBA" "C)", "01/01/2011,29.6", {}, &WeatherRecord::TMAX, 29.6},
    {"Latin-1 degree byte", "Date,TMAX (\xB0" "F)", "01/01/2011,86", {}, &WeatherRecord::TMAX, 30},
    {"degC", "Date,TMAX (degC)", "01/01/2011,29.6", {}, &WeatherRecord::TMAX, 29.6},
    {"dew point in F", "Date,TDEW (F)", "01/01/2011,50", {}, &WeatherRecord::TDEW, 10},
    {"m/s", "Date,WS (m/s)", "01/01/2011,2", {}, &WeatherRecord::WS, 7.2},
    {"m s-1", "Date,WS (m s-1)", "01/01/2011,2", {}, &WeatherRecord::WS, 7.2},
    {"mph", "Date,WS (mph)", "01/01/2011,10", {}, &WeatherRecord::WS, 16.09344},
    {"knots", "Date,WS (kn)", "01/01/2011,10", {}, &WeatherRecord::WS, 18.52},
    {"wind run km/day", "Date,WS (km/day)", "01/01/2011,240", {}, &WeatherRecord::WS, 10},
    {"wind run mi/day", "Date,WS (mi/day)", "01/01/2011,24", {}, &WeatherRecord::WS, 1.609344},
    {"km h-1 is ours", "Date,WS (km h-1)", "01/01/2011,5", {}, &WeatherRecord::WS, 5},
    {"floor after conversion", "Date,WS (m/s)", "01/01/2011,0.3", {}, &WeatherRecord::WS, 1.6},
    {"humidity fraction", "Date,RH1 (fraction)", "01/01/2011,0.65", {}, &WeatherRecord::RH1, 65},
    {"mean humidity", "Date,RH (%)", "01/01/2011,70", {}, &WeatherRecord::RH, 70},
    {"sunshine hours", "Date,SS (h)", "01/01/2011,9", {}, &WeatherRecord::SS, 9},
    {"pan in inches", "Date,EVP (in)", "01/01/2011,0.2", {}, &WeatherRecord::EVP, 5.08},
    {"radiation ours", "Date,RS", "01/01/2011,20", {}, &WeatherRecord::RS, 20},
    {"radiation MJ m-2 day-1", "Date,RS (MJ m-2 day-1)", "01/01/2011,20", {}, &WeatherRecord::RS, 20},
    {"radiation W/m2", "Date,RS (W/m\xC2\xB2)", "01/01/2011,250", {}, &WeatherRecord::RS, 21.6},
    {"radiation J/cm2", "Date,RS (J/cm2)", "01/01/2011,2000", {}, &WeatherRecord::RS, 20},
    {"radiation kJ/m2", "Date,RS (kJ/m2/day)", "01/01/2011,20000", {}, &WeatherRecord::RS, 20},
    {"radiation langley", "Date,RS (langley)", "01/01/2011,500", {}, &WeatherRecord::RS, 20.934},
    {"radiation kWh/m2", "Date,RS (kWh/m2)", "01/01/2011,5", {}, &WeatherRecord::RS, 18},
    // FAO-56 Example 14: 3.2 m/s at 10 m is 2.4 m/s at 2 m (printed to 0.1 m/s; read as
    // measured at 2 m it would stay 3.2).
    {"wind at 10 m in the head", "Date,WS (m/s @ 10 m)", "01/01/2011,3.2", {}, &WeatherRecord::WS, 2.4 * 3.6, "",
     "14.41,77.37,350", 0.05 * 3.6},
    {"wind at 10 m by option", "Date,WS (m/s)", "01/01/2011,3.2", WindAt(10), &WeatherRecord::WS, 2.4 * 3.6, "",
     "14.41,77.37,350", 0.05 * 3.6},
    {"wind at 2 m stays", "Date,WS (m/s at 2 m)", "01/01/2011,3.2", {}, &WeatherRecord::WS, 11.52},
    {"--column parameter", "Date,TX", "01/01/2011,30", Columns({{"TX", "TMAX"}}), &WeatherRecord::TMAX, 30},
    {"--column keeps the unit", "Date,MX (\xC2\xB0" "F)", "01/01/2011,86", Columns({{"MX", "TMAX"}}),
     &WeatherRecord::TMAX, 30},
    {"--column with a unit", "Date,FG", "01/01/2011,2", Columns({{"FG", "WS (m/s)"}}), &WeatherRecord::WS, 7.2},
    {"--column ignores RH", "Date,TMAX,RH", "01/01/2011,30,12", Columns({{"RH", ""}}), &WeatherRecord::RH, 0},
    {"--column names the date", "Estacao,Data,TMAX", "A801,01/02/2011,30", Columns({{"Data", "Date"}}),
     &WeatherRecord::DayOfYear, 2, "01/02/2011"},
    {"station code first", "Station,Date,TMAX", "A801,01/02/2011,30", {}, &WeatherRecord::TMAX, 30, "01/02/2011"},
    {"ISO date", "Date,TMAX", "2020-03-01,30", {}, &WeatherRecord::DayOfYear, 61, "03/01/2020"},
    {"YYYYMMDD", "Date,TMAX", "20150102,30", {}, &WeatherRecord::DayOfYear, 2, "01/02/2015"},
    {"Year,Month,Day", "Year,Month,Day,TMAX", "2011,3,1,30", {}, &WeatherRecord::DayOfYear, 60, "03/01/2011"},
    {"--day-first", "Date,TMAX", "05/03/2011,30", DayFirst(), &WeatherRecord::DayOfYear, 64, "03/05/2011"},
    {"day first by itself", "Date,TMAX", "12/01/2011,30\r\n13/01/2011,30", {}, &WeatherRecord::DayOfYear, 12,
     "01/12/2011"},
    {"semicolons, decimal commas", "Date;TMAX;TMIN", "01/01/2011;29,6;4", {}, &WeatherRecord::TMAX, 29.6, "",
     "14,41;77,37;350"},
    {"tabs", "Date\tTMAX\tTMIN", "01/01/2011\t29.6\t4", {}, &WeatherRecord::TMAX, 29.6, "", "14.41\t77.37\t350"},
    {"empty longitude", "Date,TMAX", "01/01/2011,30", {}, &WeatherRecord::TMAX, 30, "", "14.41,,350"},
    {"empty rows below the data", "Date,TMAX,TMIN", "01/01/2011,30,20\r\n,,\r\n , ,\r\n", {}, &WeatherRecord::Tmean,
     25},
};

TEST(StationShapes, ReadIntoTheProgramsUnits) {
  for (const Shape& shape : kShapes) {
    const std::string content = testing::WeatherFileHead(shape.heads, shape.coordinates) + shape.row + "\r\n";
    WeatherFileReader reader{FieldReader(content)};
    reader.SetRules(shape.rules);
    const auto header = reader.ReadHeader();
    ASSERT_TRUE(header) << shape.name << ": " << reader.LastProblem().message;
    WeatherRecord record;
    ASSERT_EQ(reader.NextRecord(record), Step::Record) << shape.name << ": " << reader.LastProblem().message;
    EXPECT_NEAR(record.*shape.field, shape.expected, shape.tolerance) << shape.name;
    if (!shape.key.empty()) {
      EXPECT_EQ(record.PeriodKey, shape.key) << shape.name;
    }
    Step step;
    while ((step = reader.NextRecord(record)) == Step::Record) {}
    EXPECT_EQ(step, Step::End) << shape.name << ": " << reader.LastProblem().message;
  }
}

struct Refused {
  const char* name;
  std::string content;
  ReadingRules rules;
  long line;
  std::string message;
};

std::string Head(std::string_view heads, std::string_view coordinates = testing::kExampleCoordinates) {
  return testing::WeatherFileHead(heads, coordinates);
}

const Refused kRefusals[] = {
    {"unknown unit", Head("Date,TMAX (furlong)"), {}, 4,
     "head 2 'TMAX (furlong)': 'furlong' is no unit known for TMAX (\xC2\xB0" "C, K, \xC2\xB0" "F)"},
    {"height on no wind", Head("Date,TMAX (@ 10 m)"), {}, 4,
     "head 2 'TMAX (@ 10 m)': only the wind (WS) takes the height it was measured at"},
    {"--column finds no head", Head("Date,TX"), Columns({{"MX", "TMAX"}}), 4,
     "--column MX=TMAX: the header line has no head MX; its heads are 'Date', 'TX'"},
    {"empty latitude", Head("Date,TMAX", ",77.37,350"), {}, 3,
     "field 1 (latitude) is empty; write the station's latitude in decimal degrees, negative south of the equator"},
    {"contradicting dates", Head("Date,TMAX") + "01/13/2011,30\r\n13/01/2011,30\r\n", {}, 6,
     "field 1 (Date) '13/01/2011' can only be day/month/year, but line 5 ('01/13/2011') can only be "
     "month/day/year; a file writes all its dates one way"},
    {"month first against --day-first", Head("Date,TMAX") + "01/13/2011,30\r\n", DayFirst(), 5,
     "field 1 (Date) '01/13/2011' can only be month/day/year, but the dates are read day/month/year (--day-first)"},
    {"unknown date form", Head("Date,TMAX") + "1.1.2011,30\r\n", {}, 5,
     "field 1 (Date) '1.1.2011' is no date; the forms known are month/day/year (day/month/year with --day-first), "
     "YYYY-MM-DD and YYYYMMDD"},
    {"mixed separators", Head("Date,TMAX") + "01/01/2011,30\r\n01/02/2011;30\r\n", {}, 6,
     "field 1 (Date) '01/02/2011;30' is not a date of the calendar written month/day/year; the line is separated "
     "by semicolons where the header line is separated by commas: a file takes one separator throughout"},
    {"empty row inside the data", Head("Date,TMAX") + ",\r\n01/02/2011,30\r\n", {}, 5,
     "a row of empty fields in the middle of the data"},
    {"no station lines", "Date,TMAX\r\n01/01/2011,30\r\n01/02/2011,30\r\n01/03/2011,30\r\n", {}, 3,
     "field 1 (latitude) '01/02/2011' is not a number; the file begins with its header line, but the station "
     "name, the heads Latitude,Longitude,Elevation and the coordinates (lines 1 to 3) must come before it"},
};

TEST(StationShapes, RefusedWithTheirLineAndReason) {
  for (const Refused& refused : kRefusals) {
    WeatherFileReader reader{FieldReader(refused.content)};
    reader.SetRules(refused.rules);
    if (reader.ReadHeader()) {
      WeatherRecord record;
      while (reader.NextRecord(record) == Step::Record) {}
    }
    EXPECT_EQ(reader.LastProblem().line, refused.line) << refused.name;
    EXPECT_EQ(reader.LastProblem().message, refused.message) << refused.name;
  }
}

TEST(StationShapes, TextMissingCodesHoldNoReading) {
  ReadingRules rules;
  rules.missing.texts = {"NA", "#N/A"};
  const std::string content = Head("Date,TMAX,TMIN") + "01/01/2011,NA,#N/A\r\n01/02/2011,30,20\r\n";
  WeatherFileReader reader{FieldReader(content)};
  reader.SetRules(rules);
  ASSERT_TRUE(reader.ReadHeader());
  WeatherRecord record;
  ASSERT_EQ(reader.NextRecord(record), Step::Record) << reader.LastProblem().message;
  EXPECT_EQ(reader.MissingInLastRecord(), Bit(Parameter::TMAX) | Bit(Parameter::TMIN));
  ASSERT_EQ(reader.NextRecord(record), Step::Record);
  EXPECT_EQ(reader.MissingInLastRecord(), 0u);
}

TEST(StationShapes, RepeatedMonthsAndDayFirstAreSaid) {
  const std::string monthly = Head("Year,Month,TMAX") + "2011,1,30\r\n2011,2,30\r\n2011,1,30\r\n";
  WeatherFileReader reader{FieldReader(monthly)};
  ASSERT_TRUE(reader.ReadHeader());
  WeatherRecord record;
  while (reader.NextRecord(record) == Step::Record) {}
  EXPECT_EQ(reader.FirstRepeatLine(), 7);
  EXPECT_EQ(reader.FirstRepeatedLine(), 5);

  const std::string dayFirst = Head("Date,TMAX") + "12/01/2011,30\r\n13/01/2011,30\r\n";
  WeatherFileReader days{FieldReader(dayFirst)};
  const auto header = days.ReadHeader();
  ASSERT_TRUE(header);
  EXPECT_EQ(header->ReadingNotes,
            std::vector<std::string>{"dates are read day/month/year, as line 6 ('13/01/2011') can only be read; "
                                     "give --day-first to say so yourself"});
}

}  // namespace
}  // namespace sorvane
