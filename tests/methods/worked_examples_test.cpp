// Every method's worked examples again, with the per-station geometry table a run
// builds: the results must not change in the last bit.
#include <gtest/gtest.h>

#include "method_records.h"
#include "methods/solar_geometry.h"
#include "run/method_table.h"

namespace sorvane {
namespace {

using namespace methods_test;

TEST(SolarGeometryTable, WorkedExamplesGiveIdenticalResults) {
  const StationConstants direct = ExampleConstants();
  const SolarGeometryTable days(direct.LatitudeRadians);
  StationConstants tabled = direct;
  tabled.Days = &days;
  tabled.AnnualDayLengthTotal = days.AnnualDayLengthTotal();

  int examples = 0;
  for (const auto* methodExamples :
       {&kModifiedPenmanExamples, &kHargreavesExamples, &kTurcExamples, &kThornthwaiteExamples,
        &kBlaneyCriddleExamples, &kChristiansenExamples, &kOpenPanExamples, &kPenmanMonteithExamples}) {
    for (const WorkedExample& example : *methodExamples) {
      const PetMethod& method = MethodFor(example.methodId);
      EXPECT_EQ(method.Compute(example.record, ExampleStation(), tabled),
                method.Compute(example.record, ExampleStation(), direct))
          << MethodEntryFor(example.methodId).name << ", " << example.name;
      ++examples;
    }
  }
  EXPECT_EQ(examples, 28);
}

}  // namespace
}  // namespace sorvane
