#include "run/estimate_missing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "methods/air_terms.h"

namespace sorvane {
namespace {

using enum Parameter;

constexpr ParameterSet Set(std::initializer_list<Parameter> parameters) {
  ParameterSet set = 0;
  for (Parameter p : parameters) set |= Bit(p);
  return set;
}

// A day at which Ra is 30 MJ m-2 day-1 and N 12 h, with TMAX 34 and TMIN 18: sqrt of the
// range is exactly 4, so Rs = 0.16 x 4 x 30 = 19.2 and n/N = (19.2 / 30 - 0.25) / 0.5.
SolarGeometry Day() {
  SolarGeometry day;
  day.ExtraterrestrialRadiation = 30;
  day.DayLength = 12;
  return day;
}

WeatherRecord Row() {
  WeatherRecord r;
  r.TMAX = 34;
  r.TMIN = 18;
  return r;
}

// Which parameters each shape of file gets, and which it gets estimated in a row where
// `missing` hold no reading.
TEST(MissingInputEstimator, EstimatesWhatEachShapeOfFileLacks) {
  struct Case {
    const char* shape;
    ParameterSet columns, missing;
    ParameterSet added, estimated, stillMissing;
  };
  const ParameterSet temperatures = Set({TMAX, TMIN});
  const Case cases[] = {
      {"temperatures only", temperatures, 0, Set({RS, TDEW, WS}), Set({RS, TDEW, WS}), 0},
      {"all seven, nothing missing", Set({TMAX, TMIN, RH1, RH2, WS, SS, EVP}), 0, 0, 0, 0},
      {"all seven, a failed humidity sensor", Set({TMAX, TMIN, RH1, RH2, WS, SS, EVP}), Set({RH1, RH2}), 0,
       Set({RH1, RH2}), 0},
      {"one humidity reading of two", Set({TMAX, TMIN, RH1, WS, SS}), 0, Set({RH2}), Set({RH2}), 0},
      {"sunshine recorder failed", Set({TMAX, TMIN, RH1, RH2, WS, SS}), Set({SS}), 0, Set({SS}), 0},
      {"dew point and radiation columns", Set({TMAX, TMIN, TDEW, RS, WS}), Set({TDEW, RS, WS}), 0,
       Set({TDEW, RS, WS}), 0},
      {"no TMAX: no radiation, no RH2", Set({TMAX, TMIN, RH1, RH2}), Set({TMAX, RH1, RH2}), Set({RS, WS}),
       Set({RH1, WS}), Set({TMAX, RH2, RS})},
      {"no TMIN: only the wind", temperatures, Set({TMIN}), Set({RS, TDEW, WS}), Set({WS}), Set({TMIN, RS, TDEW})},
      {"pan only: EVP is never estimated", Set({EVP}), Set({EVP}), Set({RS, TDEW, WS}), Set({WS}),
       Set({EVP, RS, TDEW})},
  };
  for (const Case& c : cases) {
    const MissingInputEstimator estimator({}, c.columns);
    EXPECT_EQ(estimator.Added(), c.added) << c.shape;
    WeatherRecord r = Row();
    ParameterSet missing = c.missing;
    EXPECT_EQ(estimator.Fill(r, missing, Day()), c.estimated) << c.shape;
    EXPECT_EQ(missing, c.stillMissing) << c.shape;
  }
}

// The values: eq. 50 with kRs, the dew point Tmin - offset, the readings that give its
// vapour pressure, the wind in km/h.
TEST(MissingInputEstimator, EstimatesAreFaoChapterThreeValues) {
  const MissingEstimates coastalArid{0.19, 2, 3};
  const MissingInputEstimator estimator(coastalArid, Set({TMAX, TMIN, RH1, RH2, SS}));
  WeatherRecord r = Row();
  ParameterSet missing = Set({RH1, RH2, SS});
  estimator.Fill(r, missing, Day());
  const double ea = SaturationVapourPressure(16);
  EXPECT_DOUBLE_EQ(r.RH1, 100 * ea / SaturationVapourPressure(18));
  EXPECT_DOUBLE_EQ(r.RH2, 100 * ea / SaturationVapourPressure(34));
  // FAO-56 eq. 17 from the two estimated readings gives back ea.
  EXPECT_NEAR(ActualVapourPressure(SaturationVapourPressure(18), SaturationVapourPressure(34), r.RH1, r.RH2), ea,
              1e-15);
  // 0.19 x 4 x 30 = 22.8 is above 0.75 Ra, the clearest day the Angstrom relation knows:
  // the sunshine is held at N.
  EXPECT_DOUBLE_EQ(r.SS, 12);
  EXPECT_DOUBLE_EQ(r.WS, 3 * 3.6);

  const MissingInputEstimator interior({}, Set({TMAX, TMIN}));
  WeatherRecord t = Row();
  ParameterSet none = 0;
  interior.Fill(t, none, Day());
  EXPECT_DOUBLE_EQ(t.RS, 0.16 * 4 * 30);
  EXPECT_DOUBLE_EQ(t.TDEW, 18);
  EXPECT_DOUBLE_EQ(t.WS, 2 * 3.6);

  // A calm station's mean wind is raised to the reader's floor, as a recorded wind is.
  const MissingInputEstimator calm({0.16, 0, 0.2}, Set({TMAX, TMIN}));
  calm.Fill(t, none, Day());
  EXPECT_DOUBLE_EQ(t.WS, 1.6);
}

TEST(MissingInputEstimator, NamesTheEstimatesInCodeOrder) {
  EXPECT_EQ(EstimatedText(Set({WS, RS, TDEW})), "WS RS TDEW");
  EXPECT_EQ(EstimatedText(0), "");
}

}  // namespace
}  // namespace sorvane
