#include "run/weather_check.h"

#include <gtest/gtest.h>

#include "jobs/pet_job.h"
#include "support/temp_app_folder.h"
#include "support/weather_file.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::TempAppFolder;
using testing::WeatherFile;

constexpr std::string_view kAllHeads = "Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP";
// A plain day at the station of the worked examples (14.41 N): every value in range.
constexpr std::string_view kGoodDay = "29.9,15.6,83,40,3.7,10.2,4.9";

// "line kind field value: detail", one per finding, in the order they were found.
class KeptFindings : public FindingSink {
 public:
  void Add(const Finding& f) override {
    texts.push_back(std::to_string(f.line) + " " + std::string(EntryFor(f.kind).word) + " " + f.field + " " + f.value +
                    ": " + f.detail);
  }
  std::vector<std::string> texts;
};

class WeatherCheck : public ::testing::Test {
 protected:
  WeatherCheckReport Check(std::string_view name, const MissingValues& missing = {}) {
    found.texts.clear();
    return CheckWeatherFile(NamesGiven({std::string(name)}).front(), AppFolder(app.Root()), found, missing);
  }
  std::vector<std::string> FindingsOf(std::string_view content, const MissingValues& missing = {}) {
    app.Write("data/PET_DATA/F.csv", content);
    const WeatherCheckReport report = Check("F.csv", missing);
    EXPECT_FALSE(report.refusal) << report.refusal->text;
    EXPECT_EQ(report.FindingCount(), static_cast<long>(found.texts.size()));
    return found.texts;
  }

  TempAppFolder app;
  KeptFindings found;
};

struct PlantedFault {
  const char* name;
  std::string_view heads;
  std::initializer_list<std::string_view> rows;  // the data rows, from line 5 on
  std::vector<std::string> expected;
};

// Each file holds a good first row (line 5) and the planted faults below it.
const PlantedFault kCatalogue[] = {
    {"TMAX below TMIN, which Hargreaves cannot compute",
     "Date,TMAX,TMIN",
     {"01/01/2011,30,15", "01/02/2011,12.4,14.1"},
     {"6 tmax-below-tmin TMAX 12.4: TMAX 12.4 is below TMIN 14.1", "6 empty-pet-value Hargreaves : Hargreaves would be empty"}},
    {"TMAX equal to TMIN is no fault",
     "Date,TMAX,TMIN",
     {"01/01/2011,30,15", "01/02/2011,14.1,14.1"},
     {}},
    {"humidity below 0 and above 100; 0 and 100 themselves are fine",
     "Date,RH1,RH2",
     {"01/01/2011,100,0", "01/02/2011,100.5,40", "01/03/2011,83,-3"},
     {"6 humidity-out-of-range RH1 100.5: RH1 100.5 is above 100", "7 humidity-out-of-range RH2 -3: RH2 -3 is below 0"}},
    {"RH2 above RH1",
     "Date,RH1,RH2",
     {"01/01/2011,83,40", "01/02/2011,60,70"},
     {"6 rh2-above-rh1 RH2 70: RH2 70 is above RH1 60"}},
    {"negative wind (before the wind floor), sunshine and pan evaporation",
     "Date,WS,SS,EVP",
     {"01/01/2011,0,0,0", "01/02/2011,-2,-0.5,-4.2"},
     {"6 below-zero WS -2: WS -2 is below 0", "6 below-zero SS -0.5: SS -0.5 is below 0",
      "6 below-zero EVP -4.2: EVP -4.2 is below 0"}},
    {"sunshine longer than the day: N is 11.17153 h on 1 January and 11.17490 h on 2 January at 14.41 N",
     "Date,SS",
     {"01/01/2011,11.17", "01/02/2011,11.175"},
     {"6 sunshine-longer-than-day SS 11.175: SS 11.175 h is longer than the day (N = 11.17 h)"}},
    {"missing-value codes, reported once and not compared again",
     kAllHeads,
     {"01/01/2011,29.9,15.6,83,40,3.7,10.2,4.9", "01/02/2011,-99,15.6,83,40,3.7,10.2,9999",
      "01/03/2011,29.9,15.6,-999,-9999,3.7,10.2,4.9", "01/04/2011,29.9,15.6,83,40,-99.5,10.2,4.9"},
     {"6 missing-value-code TMAX -99: TMAX -99 looks like a missing-value code",
      "6 missing-value-code EVP 9999: EVP 9999 looks like a missing-value code",
      "6 empty-pet-value Hargreaves : Hargreaves would be empty",
      "7 missing-value-code RH1 -999: RH1 -999 looks like a missing-value code",
      "7 missing-value-code RH2 -9999: RH2 -9999 looks like a missing-value code",
      "7 empty-pet-value Modified Penman : Modified Penman would be empty",
      "7 empty-pet-value Penman Montieth : Penman Montieth would be empty",
      "8 below-zero WS -99.5: WS -99.5 is below 0"}},
    {"empty fields count as 0, each a finding of its own",
     kAllHeads,
     {"01/01/2011,29.9,15.6,83,40,3.7,10.2,4.9", "01/02/2011,29.9,15.6,,,,,"},
     {"6 empty-field RH1 : RH1 is empty and read as 0", "6 empty-field RH2 : RH2 is empty and read as 0",
      "6 empty-field WS : WS is empty and read as 0", "6 empty-field SS : SS is empty and read as 0",
      "6 empty-field EVP : EVP is empty and read as 0"}},
    {"dates repeated, missing and out of order, each against the latest date above it",
     "Date,TMAX,TMIN",
     {"01/01/2011,30,15", "01/02/2011,30,15", "01/02/2011,30,15", "01/04/2011,30,15", "01/08/2011,30,15",
      "01/05/2001,30,15", "01/09/2011,30,15"},
     {"7 date-repeated Date 01/02/2011: 01/02/2011 repeats line 6",
      "8 days-missing Date 01/04/2011: 1 day missing between 01/02/2011 (line 6) and 01/04/2011",
      "9 days-missing Date 01/08/2011: 3 days missing between 01/04/2011 (line 8) and 01/08/2011",
      "10 date-out-of-order Date 01/05/2001: 01/05/2001 comes after 01/08/2011 (line 9)"}},
    {"a leap day is no gap, and years follow each other",
     "Date,TMAX,TMIN",
     {"02/28/2012,30,15", "02/29/2012,30,15", "03/01/2012,30,15", "12/31/2012,30,15", "1/1/2013,30,15"},
     {"8 days-missing Date 12/31/2012: 304 days missing between 03/01/2012 (line 7) and 12/31/2012"}},
    {"a day-first file whose days are all 12 or less, read month first",
     "Date,TMAX,TMIN",
     {"01/01/2011,30,15", "02/01/2011,30,15", "03/01/2011,30,15"},
     {"6 days-missing Date 02/01/2011: 30 days missing between 01/01/2011 (line 5) and 02/01/2011",
      "7 days-missing Date 03/01/2011: 27 days missing between 02/01/2011 (line 6) and 03/01/2011",
      "6 date-order-reversed Date : '02/01/2011' follows line 5 '01/01/2011' by 31 days read month/day/year, by "
      "one day read day/month/year, as 2 of the 2 steps between rows do: the dates look written day/month/year; "
      "give --day-first if they are"}},
    {"two columns with one head: the later one is the value the run uses",
     "Date,TMAX,TMIN,TMAX",
     {"01/01/2011,-99,15,30", "01/02/2011,30,15,10"},
     {"5 missing-value-code TMAX -99: TMAX -99 looks like a missing-value code",
      "6 tmax-below-tmin TMAX 10: TMAX 10 is below TMIN 15", "6 empty-pet-value Hargreaves : Hargreaves would be empty"}},
    {"columns of unknown heads are not checked; those that look like parameters are named",
     "Date,TMAX,TMIN,TMAX1,RAIN,Remarks",
     {"01/01/2011,30,15,-99,-99,calm"},
     {"4 ignored-head TMAX1 TMAX1: 'TMAX1' is not used: a column is used only when its head is one of TMAX, TMIN, "
      "RH1, RH2, RH, TDEW, WS, SS, RS, EVP"}},
    {"a head with its unit is read; a second humidity and radiation are said to go unused",
     "Date,Tmax (\xC2\xB0" "C),TMIN,RH1,RH2,RH,SS,RS",
     {"01/01/2011,30,15,60,40,50,9,20"},
     {"4 ignored-head  : RH is not used: the humidity is taken from RH1/RH2; RS is not used: the sunshine is taken "
      "from SS"}},
    {"a parameter without a column that methods which run take as 0",
     "Date,TMAX,TMIN,RH1,WS,SS",
     {"01/01/2011,29.9,15.6,83,3.7,10.2"},
     {"4 absent-parameter RH2 : no RH2 column: Modified Penman, Blaney Criddle and Penman Montieth run with RH2 = 0 (--estimate-missing estimates it from TMIN and TMAX instead)"}},
    {"temperatures in degrees F pass every range test but none reaches 60 degrees C",
     "Date,TMAX,TMIN",
     {"01/01/2011,30,15", "01/02/2011,86,59", "01/03/2011,88,61"},
     {"6 other-unit TMAX 86: TMAX 86 (line 6, 3 values above 60) is no temperature in degrees C: the column looks "
      "like degrees F read as degrees C"}},
    {"humidities written as fractions, read as per cent; a column with one reading above 1.5 is per cent",
     "Date,RH1,RH2",
     {"01/01/2011,0.83,0.4", "01/02/2011,0.9,2"},
     {"6 rh2-above-rh1 RH2 2: RH2 2 is above RH1 0.9",
      "4 other-unit RH1 : RH1 holds every reading between 0 and 1.5: fractions read as per cent"}},
    {"wind in m/s times 100 passes the range tests, but no climate gives the PET it makes",
     "Date,TMAX,TMIN,RH1,RH2,WS,SS",
     {"01/01/2011,29.9,15.6,83,40,3.7,10.2", "01/02/2011,39.9,15.6,30,10,370,10.2"},
     {"6 implausible-pet Modified Penman 155.42: Modified Penman 155.42 mm is above 25 mm, more than any climate "
      "gives, from TMAX 39.9, TMIN 15.6, RH1 30, RH2 10, WS 370, SS 10.2",
      "6 implausible-pet Blaney Criddle 39.79: Blaney Criddle 39.79 mm is above 25 mm, more than any climate gives, "
      "from TMAX 39.9, TMIN 15.6, RH2 10, WS 370, SS 10.2",
      "6 implausible-pet Penman Montieth 30.66: Penman Montieth 30.66 mm is above 20 mm, more than any climate "
      "gives, from TMAX 39.9, TMIN 15.6, RH1 30, RH2 10, WS 370, SS 10.2"}},
};

// Findings other than the one a file of the catalogue is about.
std::vector<std::string> WithoutNoMethod(std::vector<std::string> findings) {
  std::erase_if(findings, [](const std::string& f) { return f.find(" no-method ") != std::string::npos; });
  return findings;
}

TEST_F(WeatherCheck, CatalogueOfPlantedFaults) {
  for (const PlantedFault& fault : kCatalogue)
    EXPECT_EQ(WithoutNoMethod(FindingsOf(WeatherFile(fault.heads, fault.rows))), fault.expected) << fault.name;
}

TEST_F(WeatherCheck, ColumnsThatAllowNoMethodNameWhatEachMethodLacks) {
  EXPECT_EQ(FindingsOf(WeatherFile("Date,EVP,RAIN", {"01/01/2011,4.9,0"})),
            std::vector<std::string>{
                "4 no-method  : no method can run: Modified Penman needs TMAX, TMIN, WS, RH1/RH2, RH or TDEW, and SS "
                "or RS; Hargreaves needs TMAX and TMIN; Turc needs TMAX, TMIN, and SS or RS; Thornthwaite needs "
                "TMAX, TMIN and a monthly file; Blaney Criddle needs TMAX, TMIN, WS, RH1/RH2 or TDEW, and SS or RS; "
                "Christiansen needs TMAX, TMIN, WS, RH1/RH2, RH or TDEW, and SS or RS; PET Open pan needs WS and "
                "RH1/RH2, RH or TDEW with TMAX and TMIN; Penman Montieth needs TMAX, TMIN, WS, RH1/RH2, RH or "
                "TDEW, and SS or RS"});
}

TEST_F(WeatherCheck, ReportsWhatTheFileHoldsAndWhatWillRun) {
  app.Write("data/PET_DATA/F.csv", WeatherFile("Date,T MAX,TMIN,RH1,WS,SS,TMAX1",
                                               {"01/01/2011,30,15,80,4,9,1", "01/02/2011,30,15,80,4,9,1"}));
  const WeatherCheckReport report = Check("F.csv");
  EXPECT_EQ(report.file, "data/PET_DATA/F.csv");
  ASSERT_TRUE(report.header);
  EXPECT_EQ(report.header->Station.StationName, testing::kTestStationName);
  EXPECT_EQ(report.header->ColumnHeads, (std::vector<std::string>{"T MAX", "TMIN", "RH1", "WS", "SS", "TMAX1"}));
  EXPECT_EQ(report.methods, (std::vector<int>{1, 2, 3, 5, 8}));
  EXPECT_EQ(report.rows, 2);
  EXPECT_EQ(report.firstPeriod, "01/01/2011");
  EXPECT_EQ(report.lastPeriod, "01/02/2011");
  EXPECT_EQ(found.texts.size(), 2u);  // TMAX1 not used, no RH2 column
  EXPECT_FALSE(report.refusal);
}

// With the run's rule of missing values, a declared code is a finding and the PET values
// that a run leaves empty for want of a reading are those the check names.
TEST_F(WeatherCheck, DeclaredMissingValuesAreFindingsAndEmptyThePetValuesThatUseThem) {
  const MissingValues rule{true, {-88}};
  EXPECT_EQ(FindingsOf(WeatherFile("Date,TMAX,TMIN,EVP,RH1,RH2,WS", {"01/01/2011,-88,15,5,80,40,4", "01/02/2011,30,15,5,,40,4"}), rule),
            (std::vector<std::string>{"5 missing-value-code TMAX -88: TMAX -88 is a declared missing-value code",
                                      "5 empty-pet-value Hargreaves : Hargreaves would be empty",
                                      "6 empty-field RH1 : RH1 is empty: no reading",
                                      "6 empty-pet-value PET Open pan : PET Open pan would be empty"}));
}

TEST_F(WeatherCheck, WeeklyFilesTakeTheFourthDayOfTheWeekAndHaveNoDateChecks) {
  // N on day 4 at 14.41 N is 11.18 h; week numbers may jump without a finding, but a
  // repeated week is one.
  const auto findings = FindingsOf(WeatherFile("Year,Week,TMAX,TMIN,SS", {"2011,1,30,15,11.1", "2011,1,30,15,11.2",
                                                                          "2011,5,30,15,9"}));
  EXPECT_EQ(findings, (std::vector<std::string>{
                          "6 sunshine-longer-than-day SS 11.2: SS 11.2 h is longer than the day (N = 11.18 h)",
                          "6 period-repeated Week 2011 week 1: 2011 week 1 repeats line 5"}));
  const WeatherCheckReport report = Check("F.csv");
  EXPECT_EQ(report.firstPeriod, "2011 week 1");
  EXPECT_EQ(report.lastPeriod, "2011 week 5");
}

TEST_F(WeatherCheck, MonthlyFilesComputeThornthwaiteWithTheHeatIndexOfTheStation) {
  app.Write("support/heat_index_data.csv", Lines({"Latitude,Longitude,HeatIndex", "14,77,150"}));
  app.Write("data/PET_DATA/F.csv", WeatherFile("Year,Month,TMAX,TMIN", {"2009,1,30,15", "2009,2,30,15"}));
  const WeatherCheckReport report = Check("F.csv");
  EXPECT_FALSE(report.refusal);
  EXPECT_EQ(report.methods, (std::vector<int>{2, 4}));
  EXPECT_EQ(report.lastPeriod, "2009 month 2");
  EXPECT_EQ(found.texts, std::vector<std::string>{});
}

TEST_F(WeatherCheck, AStationBeyondTheHeatIndexGridIsAFindingAndItsOwnIndexIsNone) {
  // The grid spans 8..30 N, 68..96 E; a station more than 1 degree beyond any side is outside.
  app.Write("support/heat_index_data.csv", Lines({"Latitude,Longitude,HeatIndex", "8,68,161", "30,96,60"}));
  const std::vector<std::string> rows{"2009,1,30,15", "2009,2,30,15"};
  for (const auto& [coordinates, outside] : {std::pair{"31,96,10", false}, std::pair{"7,67,10", false},
                                             std::pair{"31.5,80,10", true}, std::pair{"39,-98,500", true}}) {
    app.Write("data/PET_DATA/F.csv", WeatherFile("Year,Month,TMAX,TMIN", rows, coordinates));
    const WeatherCheckReport report = Check("F.csv");
    EXPECT_EQ(report.heatIndex.outsideGrid, outside) << coordinates;
    EXPECT_EQ(report.counts[static_cast<std::size_t>(FindingKind::OutsideHeatIndexGrid)], outside ? 1 : 0);
  }
  // Its own heat index needs a complete year, which these two months are not.
  const WeatherCheckReport own = CheckWeatherFile(NamesGiven({"F.csv"}).front(), AppFolder(app.Root()), found, {},
                                                  HeatIndexSource::Station);
  ASSERT_TRUE(own.refusal);
  EXPECT_EQ(own.refusal->text,
            "data/PET_DATA/F.csv: its Thornthwaite column needs the station's own heat index, but the file holds no "
            "complete calendar year (all twelve months, each once, with TMAX and TMIN); the file is not processed");
}

TEST_F(WeatherCheck, AMissingHeatIndexTableGivesTheRunsNoticeAndTheRowsAreStillChecked) {
  app.Write("data/PET_DATA/F.csv", WeatherFile("Year,Month,TMAX,TMIN", {"2009,1,30,15", "2009,2,10,15"}));
  const WeatherCheckReport report = Check("F.csv");
  ASSERT_TRUE(report.refusal);
  EXPECT_EQ(report.refusal->text,
            "data/PET_DATA/F.csv: its Thornthwaite column needs the heat index table, but "
            "support/heat_index_data.csv cannot be opened (No such file or directory); the file is not processed");
  EXPECT_EQ(report.rows, 2);
  EXPECT_EQ(found.texts, (std::vector<std::string>{"6 tmax-below-tmin TMAX 10: TMAX 10 is below TMIN 15",
                                                   "6 empty-pet-value Hargreaves : Hargreaves would be empty"}));
}

// The notice of every file a run refuses is the run's own, word for word.
TEST_F(WeatherCheck, RefusesWhatTheRunRefusesWithTheSameNotice) {
  app.Write("data/PET_DATA/NOTNUMBER.csv", WeatherFile("Date,TMAX,TMIN", {"01/01/2011,30,15", "01/02/2011,30,warm"}));
  app.Write("data/PET_DATA/NOPERIOD.csv", WeatherFile("Day,TMAX,TMIN", {"01/01/2011,30,15"}));
  app.Write("data/PET_DATA/NODATE.csv", WeatherFile("Date,TMAX,TMIN", {"02/30/2011,30,15"}));
  app.Write("data/PET_DATA/SHORTROW.csv", WeatherFile("Date,TMAX,TMIN", {"01/01/2011,30"}));
  app.Write("data/PET_DATA/POLE.csv", WeatherFile("Date,TMAX,TMIN", {"01/01/2011,30,15"}, "91,0,0"));
  const std::vector<std::string> names{"NOTNUMBER.csv", "NOPERIOD.csv", "NODATE.csv", "SHORTROW.csv",
                                       "POLE.csv",      "MISSING.csv",  "../x.csv"};
  CollectedNotices run;
  ProcessPetFiles(NamesGiven(names), AppFolder(app.Root()), run, RunOptions{});
  ASSERT_EQ(run.shown.size(), names.size());
  for (std::size_t k = 0; k < names.size(); ++k) {
    const WeatherCheckReport report = Check(names[k]);
    ASSERT_TRUE(report.refusal) << names[k];
    EXPECT_EQ(*report.refusal, run.shown[k]);
  }
  EXPECT_EQ(Check("NOTNUMBER.csv").refusal->text,
            "data/PET_DATA/NOTNUMBER.csv:6: field 3 (TMIN) 'warm' is not a number; the file is not processed");
  EXPECT_EQ(Check("NOTNUMBER.csv").rows, 1);  // the rows before the refused one are checked
}

}  // namespace
}  // namespace sorvane
