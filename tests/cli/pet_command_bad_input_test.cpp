// The catalogue of bad inputs in tests/data/bad, run through sorvane-cli beside good
// files: each is either processed as the rules say or refused with a notice naming its
// file, line and field, leaving no result and an older result of its name untouched.
#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_app_folder.h"
#include "support/weather_file.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::RunProgram;
using testing::TempAppFolder;

struct Expected {
  const char* file;
  bool processed;
  const char* notice;  // the line it gives on standard error (refused) or standard output
};

const Expected kCatalogue[] = {
    {"binary_garbage.csv", false,
     ":3: field 1 (latitude) '&\\xf6\"\\x9f\\xa3E%&\\xe7\\xbc\\x16B\\xae\\xb4+\\xf2'\\xd5\\x0f\\xff\\x07\\xc3\\xc2\\x06$).;"
     "\\x83\xD5\xA9" "\\xc6\\xea\\xe1\\xec*\\x0f\\x9e' is not a number"},  // bytes escaped, UTF-8 kept
    {"empty.csv", false, ":1: the file is empty"},
    {"coordinates_only.csv", false, ":4: the file ends before line 4 (the header line)"},
    {"header_only.csv", true, nullptr},
    {"byte_order_mark.csv", true, nullptr},
    {"non_numeric.csv", false, ":6: field 6 (WS) 'calm' is not a number"},
    {"date_day_first.csv", true,
     ": dates are read day/month/year, as line 5 ('13/01/2010') can only be read; give --day-first to say so "
     "yourself"},
    {"dates_both_orders.csv", false,
     ":6: field 1 (Date) '14/01/1970' can only be day/month/year, but line 5 ('01/13/1970') can only be "
     "month/day/year; a file writes all its dates one way"},
    {"date_february_30.csv", false, ":5: field 1 (Date) '02/30/2011' is not a date of the calendar written month/day/year"},
    {"date_two_digit_year.csv", false, ":5: field 1 (Date) '1/1/70' is not a date of the calendar written month/day/year"},
    {"date_iso.csv", true, nullptr},
    {"year_month_day.csv", true, nullptr},
    {"month_repeated.csv", true,
     ": line 7 repeats the year and month of line 5; a monthly file holds one row per month (a daily file heads its "
     "period Date, or Year,Month,Day)"},
    {"rows_empty_at_end.csv", true, nullptr},
    {"unit_unknown.csv", false,
     ":4: head 2 'TMAX (furlong)': 'furlong' is no unit known for TMAX (\xC2\xB0" "C, K, \xC2\xB0" "F)"},
    {"station_lines_missing.csv", false,
     ":3: field 1 (latitude) '01/02/1970' is not a number; the file begins with its header line, but the station "
     "name, the heads Latitude,Longitude,Elevation and the coordinates (lines 1 to 3) must come before it"},
    {"latitude_empty.csv", false,
     ":3: field 1 (latitude) is empty; write the station's latitude in decimal degrees, negative south of the "
     "equator"},
    {"separators_mixed.csv", false,
     ":6: field 1 (Date) '01/02/1970;29.6;4' is not a date of the calendar written month/day/year; the line is "
     "separated by semicolons where the header line is separated by commas: a file takes one separator throughout"},
    {"month_0.csv", false, ":5: field 2 (Month) '0' is not a month number from 1 to 12"},
    {"month_13.csv", false, ":5: field 2 (Month) '13' is not a month number from 1 to 12"},
    {"no_period_word.csv", false, ":4: the header line names no period (a head with Date, Week or Month)"},
    {"eight_columns.csv", true, nullptr},  // a RAIN column beside the seven
    {"heads_with_units.csv", true, nullptr},
    {"one_rh_column.csv", true, nullptr},
    {"radiation_and_dew_point.csv", true,
     ": RS lies beyond what 0 to N hours of sunshine give (0.25 to 0.75 of the radiation above the atmosphere) on 1 "
     "row, the first on line 5: the methods that take sunshine take n/N as 0 or 1 there; Penman Montieth takes RS as "
     "it is"},
    {"second_humidity_and_radiation.csv", true,
     ": TDEW and RH are not used: the humidity is taken from RH1/RH2; RS is not used: the sunshine is taken from SS"},
    {"rh1_without_rh2.csv", true,
     ": no RH2 column: Modified Penman, Blaney Criddle and Penman Montieth run with RH2 = 0 (--estimate-missing estimates it from TMIN and TMAX instead)"},
    {"week_without_year.csv", false,
     ":4: head 2 'TMAX' stands where the period heads belong; a weekly file begins Year,Week"},
    {"week_54.csv", false, ":5: field 2 (Week) '54' is not a week number from 1 to 53"},
    {"row_over_two_lines.csv", true, nullptr},
    {"short_row_then_full.csv", false,
     ":7: field 5 (RH2) '01/03/1970' is not a number; the row of line 6 has 4 fields of the 8 of the header line "
     "and runs on into line 7: a short row shifts every later field, and every row must begin at the start of a line"},
    {"two_rows_on_one_line.csv", false,
     ":5: the line holds more than the 3 fields of a row (an extra field, or two rows on one line); every row must "
     "begin at the start of a line"},
    {"semicolons.csv", true, nullptr},
    {"tabs.csv", true, nullptr},
    {"utf16.csv", false,
     ": the file is UTF-16 text, as a spreadsheet saves \"Unicode text\"; save it as CSV with commas and a decimal "
     "point (UTF-8 or plain ASCII)"},
    {"workbook.csv", false,
     ": the file is an Excel workbook (a zip file), not text, whatever its name says; open it in the spreadsheet and "
     "save it as CSV with commas and a decimal point"},
    {"empty_fields.csv", true, ": 3 empty fields were read as 0; the first on line 6 (RH1)"},
    {"line3_too_few.csv", false, ":3: line 3 holds 2 values; latitude, longitude and elevation are needed"},
    {"line3_too_many.csv", false, ":3: line 3 holds 4 values where line 2 announces 3"},
    {"unclosed_quote.csv", false, ":5: field 2 (TMAX): a double quote that is never closed"},
    {"nul_in_field.csv", false, ":5: field 4 (RH1) '6\\x005' is not a number"},
    {"row_cut_short.csv", false,
     ":7: the row of line 6 has 4 fields of the 8 of the header line; the '&' that ends the data comes before "
     "the rest"},
    {"row_too_long.csv", false,
     ":6: the line holds more than the 8 fields of a row (an extra field, or two rows on one line); every row must "
     "begin at the start of a line"},
    {"blank_line_inside.csv", false, ":6: a blank line in the middle of the data"},
    {"line_10_megabytes.csv", false, ":5: field 2 (TMAX): a field or line longer than 1 MiB"},
    {"humidity_minus_99.csv", true,
     ": 2 values could not be computed and were left empty; the first on line 6 (Modified Penman)"},
    {"tmax_below_tmin.csv", true, ": 1 value could not be computed and was left empty; the first on line 6 (Hargreaves)"},
    {"latitude_89.csv", true, ": 5 values could not be computed and were left empty; the first on line 6 (Modified Penman)"},
    {"latitude_minus_89.csv", true,
     ": 5 values could not be computed and were left empty; the first on line 5 (Modified Penman)"},
};

std::string ResultOf(const std::string& file) { return file.substr(0, file.size() - 4) + "_PET.csv"; }

TEST(BadInputCatalogue, EachFileIsProcessedOrRefusedAndTheGoodOnesStillRun) {
  TempAppFolder app;
  for (const auto& entry : fs::directory_iterator(fs::path(SORVANE_TEST_DATA) / "bad"))
    if (entry.path().extension() == ".csv") fs::copy(entry.path(), app.Root() / "data/PET_DATA");
  const fs::path bundled = fs::path(SORVANE_SOURCE_DIR) / "appfolder";
  fs::copy(bundled / "data/PET_DATA/KESTREL.csv", app.Root() / "data/PET_DATA");
  fs::copy(bundled / "support/heat_index_data.csv", app.Root() / "support");
  app.Write("data/PET_DATA/line_10_megabytes.csv",
            testing::WeatherFile("Date,TMAX", {"01/01/1970," + std::string(10 << 20, '9')}));
  for (const auto& c : kCatalogue) app.Write("OUTPUT/" + ResultOf(c.file), "older result");

  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", app.Root().string(), "pet", "--jobs", "2"});
  EXPECT_EQ(run.exitStatus, 1);
  for (const auto& c : kCatalogue) {
    const std::string result = app.Read("OUTPUT/" + ResultOf(c.file));
    if (c.processed) {
      EXPECT_NE(result, "older result") << c.file;
      EXPECT_EQ(result.find("nan"), std::string::npos) << c.file;
      if (c.notice) {
        EXPECT_NE(run.out.find("data/PET_DATA/" + std::string(c.file) + c.notice), std::string::npos) << c.file;
      }
    } else {
      EXPECT_EQ(result, "older result") << c.file;
      EXPECT_NE(run.err.find("data/PET_DATA/" + std::string(c.file) + c.notice + "; the file is not processed\n"),
                std::string::npos)
          << c.file << "\n" << run.err;
    }
  }
  EXPECT_EQ(app.Read("OUTPUT/header_only_PET.csv"),
            "Date,Modified Penman,Hargreaves,Turc,Blaney Criddle,Christiansen,PET Open pan,Penman Montieth\r\n");
  EXPECT_EQ(app.Read("OUTPUT/byte_order_mark_PET.csv").substr(0, 4), "Date");
  // Extra columns change nothing; a row may run on over two lines; heads that are not
  // the seven words run no method on invented zeros.
  const std::string row = "01/01/1970,4.13,4.75,3.70,4.34,3.06,2.75,3.86\r\n";
  const std::string header = app.Read("OUTPUT/header_only_PET.csv");
  EXPECT_EQ(app.Read("OUTPUT/eight_columns_PET.csv"), header + row);
  EXPECT_EQ(app.Read("OUTPUT/row_over_two_lines_PET.csv").substr(0, header.size() + row.size()), header + row);
  // Heads with the program's own units, a date in another form or in three columns, and
  // a spreadsheet's empty rows at the end read as the plain file does.
  for (const char* file : {"heads_with_units", "year_month_day", "rows_empty_at_end"})
    EXPECT_EQ(app.Read("OUTPUT/" + std::string(file) + "_PET.csv"), header + row) << file;
  EXPECT_EQ(app.Read("OUTPUT/date_iso_PET.csv"), header + "01/01/2010" + row.substr(10));
  EXPECT_EQ(app.Read("OUTPUT/semicolons_PET.csv"), "Date,Hargreaves\r\n01/01/1970,4.75\r\n");
  EXPECT_EQ(app.Read("OUTPUT/tabs_PET.csv"), "Date,Hargreaves\r\n01/01/1970,4.75\r\n");
  // A single mean humidity runs the methods whose published form takes a mean.
  EXPECT_EQ(app.Read("OUTPUT/one_rh_column_PET.csv").substr(0, 54),
            "Date,Modified Penman,Hargreaves,Turc,Penman Montieth\r\n");
  EXPECT_EQ(app.Read("OUTPUT/second_humidity_and_radiation_PET.csv"), header + row);
  EXPECT_TRUE(app.Exists("OUTPUT/KESTREL_PET.csv"));
  for (const auto& name : app.Names("OUTPUT")) EXPECT_TRUE(name.ends_with("_PET.csv")) << "left behind: " << name;
}

// The same files with the options that say which fields hold no reading: only the
// methods whose formula uses an empty or -99 parameter leave that row's value empty.
TEST(BadInputCatalogue, MissingValuesEmptyTheValuesOfTheMethodsThatUseThem) {
  TempAppFolder app;
  for (const char* name : {"missing_code_minus_99.csv", "empty_fields.csv"})
    fs::copy(fs::path(SORVANE_TEST_DATA) / "bad" / name, app.Root() / "data/PET_DATA");
  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", app.Root().string(), "pet", "--missing-code", "-99",
                                            "--empty-is-missing", "missing_code_minus_99.csv", "empty_fields.csv"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with(
      "data/PET_DATA/missing_code_minus_99.csv: 5 values could not be computed and were left empty; the first on "
      "line 6 (Modified Penman)\n"
      "data/PET_DATA/empty_fields.csv: 12 values could not be computed and were left empty; the first on line 6 "
      "(Modified Penman)\n"
      "JOB END\n"))
      << run.out;
  const std::string heads =
      "Date,Modified Penman,Hargreaves,Turc,Blaney Criddle,Christiansen,PET Open pan,Penman Montieth\r\n"
      "01/01/1970,4.13,4.75,3.70,4.34,3.06,2.75,3.86\r\n";
  // RH2 -99: all but Hargreaves and Turc; RH1 and SS empty: all but Hargreaves; TMAX
  // empty: all but open pan, which does not read TMAX.
  EXPECT_EQ(app.Read("OUTPUT/missing_code_minus_99_PET.csv"), heads + "01/02/1970,,4.76,3.68,,,,\r\n");
  EXPECT_EQ(app.Read("OUTPUT/empty_fields_PET.csv"), heads + "01/02/1970,,4.76,,,,,\r\n01/03/1970,,,,,,2.83,\r\n");
}

TEST(BadInputCatalogue, ADataFileListCannotReachOutsideItsFolder) {
  TempAppFolder app;
  fs::copy(fs::path(SORVANE_TEST_DATA) / "bad/byte_order_mark.csv", app.Root() / "data/PET_DATA");
  fs::copy(fs::path(SORVANE_SOURCE_DIR) / "appfolder/data/PET_DATA/KESTREL.csv", app.Root() / "data/PET_DATA");
  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", app.Root().string(), "pet", "--list",
                                            (fs::path(SORVANE_TEST_DATA) / "bad/list_escaping.txt").string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err,
            "list_escaping.txt:2: a name holding a path separator ('../../etc/passwd'); nothing is processed for it\n"
            "list_escaping.txt:3: a name holding a path separator ('/etc/passwd'); nothing is processed for it\n"
            "list_escaping.txt:4: an empty line names no file; nothing is processed for it\n"
            "data/PET_DATA/missing.csv: cannot be opened (No such file or directory); the file is not processed\n");
  EXPECT_EQ(app.Names("OUTPUT"), (std::vector<std::string>{"KESTREL_PET.csv", "byte_order_mark_PET.csv"}));
}

}  // namespace
}  // namespace sorvane
