// Every method's worked examples again, with the station set up and the record's terms
// made as a run makes them (geometry table, remembered terms): the results must not
// change in the last bit.
#include <gtest/gtest.h>

#include "method_records.h"
#include "run/method_table.h"
#include "run/row_terms_maker.h"
#include "run/station_setup.h"

namespace sorvane {
namespace {

using namespace methods_test;

TEST(RowTermsMaker, WorkedExamplesGiveIdenticalResults) {
  const PreparedStation station = PrepareStation(ExampleStation(), kExampleHeatIndex);
  RowTermsMaker terms;
  int examples = 0;
  for (const auto* methodExamples :
       {&kModifiedPenmanExamples, &kHargreavesExamples, &kTurcExamples, &kThornthwaiteExamples,
        &kBlaneyCriddleExamples, &kChristiansenExamples, &kOpenPanExamples, &kPenmanMonteithExamples}) {
    for (const WorkedExample& example : *methodExamples) {
      const MethodEntry& method = MethodEntryFor(example.methodId);
      // Twice: once computed, once remembered.
      for (int pass = 0; pass < 2; ++pass)
        EXPECT_EQ(method.compute(example.record, ExampleStation(), station.constants,
                                 terms.For(example.record, station.days)),
                  ComputeAtExampleStation(example.methodId, example.record))
            << method.name << ", " << example.name;
      ++examples;
    }
  }
  EXPECT_EQ(examples, 28);
}

}  // namespace
}  // namespace sorvane
