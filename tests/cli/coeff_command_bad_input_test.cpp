// The bad-input catalogue of the coefficient generator and the adjuster, through
// sorvane-cli: odd reference tables are processed or refused as the rules say, and a
// coefficient file cannot send the adjuster outside its folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "support/run_program.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::Lines;
using testing::RunProgram;
using testing::TempAppFolder;

const fs::path kCatalogue = fs::path(SORVANE_TEST_DATA) / "bad/coefficients";

// A reference table of `rows` stations and `methods` methods, none at a listed station.
std::string LargeTable(int rows, int methods) {
  std::string line1 = "Station,Latitude,Longitude", line2 = ",,";
  for (int k = 1; k <= methods; ++k) {
    line1 += ",Method " + std::to_string(k) + ",";
    line2 += ",Intercept,Slope";
  }
  std::string table = line1 + "\r\n" + line2 + "\r\n";
  for (int i = 0; i < rows; ++i) {
    table += "R" + std::to_string(i) + "," + std::to_string(8 + i % 22) + "." + std::to_string(i % 7) + "," +
             std::to_string(68 + i % 27) + ".5";
    for (int k = 0; k < methods; ++k) table += "," + std::to_string(k % 3) + ".25,1.0" + std::to_string(k % 9);
    table += "\r\n";
  }
  return table;
}

struct TableCase {
  const char* name;
  std::string table;
  int exitStatus;
  const char* refusal;  // on standard error; nullptr when the list is processed
  const char* firstStationRow;
};

TEST(BadCoefficientInput, ReferenceTablesAreProcessedOrRefused) {
  auto read = [](const char* file) {
    std::ifstream in(kCatalogue / file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const TableCase cases[] = {
      {"blank lines", read("blank_lines.csv"), 0, nullptr, "STN1,14.41,77.37,-.08,1.02,.09,.93"},
      {"one row", read("one_row.csv"), 0, nullptr, "STN1,14.41,77.37,.5,.9,-.2,1.1"},
      {"no rows", read("no_rows.csv"), 1,
       "support/Coefficients.csv: no reference station rows (they begin on line 3); station list 'list.csv' is not "
       "processed\n",
       nullptr},
      {"odd header", read("odd_header.csv"), 1,
       "support/Coefficients.csv:1: 3 fields follow the heads Station, Latitude, Longitude: an odd number, but each "
       "method takes two (its name and an empty field); station list 'list.csv' is not processed\n",
       nullptr},
      {"600 rows", LargeTable(600, 8), 0, nullptr, nullptr},
      {"30 methods", LargeTable(40, 30), 0, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    TempAppFolder app;
    app.Write("support/Coefficients.csv", c.table);
    app.Write("data/COEFFI_DATA/list.csv", Lines({"Station   ,Lat  ,Lon", "STN1,14.41,77.37", "STN2,15,76", "&"}));
    app.Write("OUTPUT/list_COEFFI.csv", "older result");
    const auto run = RunProgram(SORVANE_CLI, {"--app-folder", app.Root().string(), "coeff", "list.csv"});
    EXPECT_EQ(run.exitStatus, c.exitStatus) << c.name << run.err;
    const std::string result = app.Read("OUTPUT/list_COEFFI.csv");
    if (c.refusal) {
      EXPECT_EQ(run.err, c.refusal) << c.name;
      EXPECT_EQ(result, "older result") << c.name;
      continue;
    }
    EXPECT_EQ(run.err, "") << c.name;
    if (c.firstStationRow) {
      EXPECT_NE(result.find(std::string("\r\n") + c.firstStationRow + "\r\n"), std::string::npos) << c.name;
    }
    EXPECT_EQ(std::count(result.begin(), result.end(), '\n'), 4) << c.name;  // two heads, two stations
  }
}

TEST(BadCoefficientInput, AStationNameCannotLeadTheAdjusterOutOfItsFolder) {
  TempAppFolder app;
  fs::copy(kCatalogue / "escaping_station_COEFFI.csv", app.Root() / "OUTPUT");
  app.Write("x_PET.csv", Lines({"Date,Hargreaves", "01/01/1970,4.75"}));  // what "../x" would reach
  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", app.Root().string(), "adjust",
                                            (app.Root() / "OUTPUT/escaping_station_COEFFI.csv").string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err,
            "OUTPUT/escaping_station_COEFFI.csv:3: field 1 (station name) '../x' cannot name a PET result file: a name "
            "holding a path separator; nothing is adjusted\n");
  EXPECT_FALSE(app.Exists("x_PET_ADJ.csv"));
  EXPECT_EQ(app.Names("OUTPUT"), std::vector<std::string>{"escaping_station_COEFFI.csv"});
}

}  // namespace
}  // namespace sorvane
