// Reading the CoefficientTable layout: method names, reference rows, and the notices
// for tables that cannot be read exactly.
#include "coefficients/coefficient_table.h"

#include <gtest/gtest.h>

#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::TempAppFolder;

const std::string kTwoMethodHeads = "Station,Latitude,Longitude,A,,B,";
const std::string kTwoMethodLine2 = ",,,Intercept,Slope,Intercept,Slope";

Expected<CoefficientTable> ReadTable(const TempAppFolder& app, const std::string& text) {
  app.Write("support/Coefficients.csv", text);
  return ReadCoefficientTable(app.Folder().CoefficientTable());
}

TEST(CoefficientTable, ReadsNamesRowsAndCoefficientsInFileOrder) {
  TempAppFolder app;
  const auto table = ReadTable(app,
                               Lines({kTwoMethodHeads, kTwoMethodLine2, "North,20.5,80.25,0.1,0.9,-0.2,1.1",
                                     "\"South, far\", 9 ,72 ,.3,1.,-.05,.95"}));
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_EQ(table->methodNames, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(table->RowCount(), 2u);
  EXPECT_EQ(table->latitudesDegrees, (std::vector<double>{20.5, 9}));
  EXPECT_EQ(table->longitudesDegrees, (std::vector<double>{80.25, 72}));
  EXPECT_EQ(table->coefficients, (std::vector<double>{0.1, 0.9, -0.2, 1.1, 0.3, 1, -0.05, 0.95}));
  EXPECT_EQ(table->Coefficient(1, 3), 0.95);
}

TEST(CoefficientTable, BlankLinesAndRowsOfEmptyFieldsAreSkipped) {
  TempAppFolder app;
  const auto table = ReadTable(
      app,
      Lines({kTwoMethodHeads, kTwoMethodLine2, "", "North,20,80,1,1,1,1", "   ", "South,10,70,2,2,2,2", ",,,,,,", "", ",,"}));
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_EQ(table->RowCount(), 2u);  // no station at 0,0 with zero coefficients
  EXPECT_EQ(table->latitudesDegrees, (std::vector<double>{20, 10}));
}

TEST(CoefficientTable, AnEmptyCoefficientCountsAsZero) {
  TempAppFolder app;
  const auto table = ReadTable(app, Lines({kTwoMethodHeads, kTwoMethodLine2, "North,20,80,,1,2,"}));
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_EQ(table->coefficients, (std::vector<double>{0, 1, 2, 0}));
}

TEST(CoefficientTable, HasNoFixedLimitOnMethodsOrRows) {
  std::string heads = "Station,Latitude,Longitude";
  std::string row;
  for (int k = 1; k <= 30; ++k) {
    heads += ",M" + std::to_string(k) + ",";
    row += ",0.5,1";
  }
  std::string text = Lines({heads, ""});
  for (int i = 0; i < 600; ++i) text += "R" + std::to_string(i) + "," + std::to_string(i % 90) + ",75" + row + "\r\n";
  TempAppFolder app;
  const auto table = ReadTable(app, text);
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_EQ(table->MethodCount(), 30u);
  EXPECT_EQ(table->RowCount(), 600u);
}

struct Refused {
  const char* name;
  std::string text;
  long line;
  const char* what;
};

TEST(CoefficientTable, TablesThatCannotBeReadExactlyAreRefusedWithLineAndField) {
  const Refused cases[] = {
      {"empty file", "", 0, "the file is empty"},
      {"no reference rows", Lines({kTwoMethodHeads, kTwoMethodLine2}), 0,
       "no reference station rows (they begin on line 3)"},
      {"only blank rows", Lines({kTwoMethodHeads, kTwoMethodLine2, "", ""}), 0,
       "no reference station rows (they begin on line 3)"},
      {"odd method fields", Lines({"Station,Latitude,Longitude,A,,B", kTwoMethodLine2, "N,1,2,3,4,5,6"}), 1,
       "3 fields follow the heads Station, Latitude, Longitude: an odd number, but each method takes two (its name "
       "and an empty field)"},
      {"too few heads", Lines({"Station,Latitude", "", "N,1,2"}), 1,
       "2 fields where the heads line has 3 (Station, Latitude, Longitude, then the method names)"},
      {"latitude not a number", Lines({kTwoMethodHeads, kTwoMethodLine2, "N,1,2,3,4,5,6", "S,abc,2,3,4,5,6"}), 4,
       "field 2 (latitude) 'abc' is not a number"},
      {"longitude not a number", Lines({kTwoMethodHeads, kTwoMethodLine2, "S,1,7E,3,4,5,6"}), 3,
       "field 3 (longitude) '7E' is not a number"},
      {"row too long", Lines({kTwoMethodHeads, kTwoMethodLine2, "S,1,2,3,4,5,6,"}), 3,
       "8 fields where a station row has 7 (name, latitude, longitude, and an intercept and a slope for each of the "
       "2 methods of line 1)"},
      {"coefficient not a number", Lines({kTwoMethodHeads, kTwoMethodLine2, "S,1,2,3,4,5,x"}), 3,
       "field 7 (slope of B) 'x' is not a number"},
      {"row too short", Lines({kTwoMethodHeads, kTwoMethodLine2, "S,1,2,3,4"}), 3,
       "5 fields where a station row has 7 (name, latitude, longitude, and an intercept and a slope for each of the "
       "2 methods of line 1)"},
      {"unclosed quote", Lines({kTwoMethodHeads, kTwoMethodLine2, "\"S,1,2,3,4,5,6"}), 3,
       "a double quote that is never closed"},
  };
  for (const auto& c : cases) {
    TempAppFolder app;
    const auto table = ReadTable(app, c.text);
    ASSERT_FALSE(table) << c.name;
    EXPECT_EQ(table.error().line, c.line) << c.name;
    EXPECT_EQ(table.error().message, c.what) << c.name;
  }
}

TEST(CoefficientTable, AMissingTableCannotBeOpened) {
  TempAppFolder app;
  const auto table = ReadCoefficientTable(app.Folder().CoefficientTable());
  ASSERT_FALSE(table);
  EXPECT_EQ(table.error().message, "cannot be opened (No such file or directory)");
}

TEST(MethodNamesForList, AreTheTrimmedNamesOfLine1SplitThroughOutTxtWhichIsDeleted) {
  TempAppFolder app;
  app.Write(
      "support/Coefficients.csv",
      Lines({"Station,Latitude,Longitude,Modified Penman,, Hargreaves ,,\"Turc, daily\",", "", "N,1,2,3,4,5,6,7,8"}));
  const auto methods = ReadMethodNamesForList(app.Folder());
  ASSERT_TRUE(methods) << Located(methods.error());
  EXPECT_EQ(*methods, (std::vector<std::string>{"Modified Penman", "Hargreaves", "Turc, daily"}));
  EXPECT_FALSE(app.Exists("out.txt"));
}

TEST(MethodNamesForList, AMissingTableOrAnOddHeadLineGivesAProblemAndNoNames) {
  TempAppFolder app;
  auto methods = ReadMethodNamesForList(app.Folder());
  ASSERT_FALSE(methods);
  EXPECT_EQ(Located(methods.error()), "support/Coefficients.csv: cannot be opened (No such file or directory)");

  app.Write("support/Coefficients.csv", Lines({"Station,Latitude,Longitude,A,,B", ""}));
  methods = ReadMethodNamesForList(app.Folder());
  ASSERT_FALSE(methods);
  EXPECT_EQ(Located(methods.error()),
            "support/Coefficients.csv:1: 3 fields follow the heads Station, Latitude, Longitude: an odd number, but "
            "each method takes two (its name and an empty field)");
  EXPECT_FALSE(app.Exists("out.txt"));
}

TEST(MethodNamesForList, TheBundledTableNamesTheEightMethodsAsThePetResultFileWritesThem) {
  const AppFolder bundled(std::filesystem::path(SORVANE_SOURCE_DIR) / "appfolder");
  // ReadTableMethodNames: the bundled folder is read, not written (no out.txt there).
  const auto names = ReadTableMethodNames(bundled.CoefficientTable());
  ASSERT_TRUE(names) << names.error().message;
  EXPECT_EQ(*names, (std::vector<std::string>{"Modified Penman", "Hargreaves", "Turc", "Thornthwaite", "Blaney Criddle",
                                              "Christiansen", "PET Open pan", "Penman Montieth"}));
  const auto table = ReadCoefficientTable(bundled.CoefficientTable());
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_GE(table->RowCount(), 24u);
}

}  // namespace
}  // namespace sorvane
