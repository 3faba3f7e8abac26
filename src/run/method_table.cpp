#include "run/method_table.h"

#include "methods/methods.h"

namespace sorvane {

namespace {

const ModifiedPenman kModifiedPenman;
const Hargreaves kHargreaves;
const Turc kTurc;
const Thornthwaite kThornthwaite;
const BlaneyCriddle kBlaneyCriddle;
const Christiansen kChristiansen;
const OpenPan kOpenPan;
const PenmanMonteith kPenmanMonteith;

// In MethodId order, beside kMethodTable.
const std::array<const PetMethod*, 8> kMethods{&kModifiedPenman, &kHargreaves,   &kTurc,    &kThornthwaite,
                                               &kBlaneyCriddle,  &kChristiansen, &kOpenPan, &kPenmanMonteith};

bool HeadWordsMet(const MethodEntry& method, ParameterSet columns) {
  for (std::string_view word : method.headWords)
    if (!word.empty() && (ParametersOfHeadWord(word) & columns) == 0) return false;
  return true;
}

}  // namespace

ParameterSet ParametersOfHeadWord(std::string_view word) {
  if (word == "RH") return kHumidities;
  for (std::size_t code = 1; code < kParameterHeads.size(); ++code)
    if (kParameterHeads[code] == word) return Bit(static_cast<Parameter>(code));
  return 0;
}

std::vector<int> AvailableMethods(ParameterSet columns, PeriodType period) {
  std::vector<int> available;
  for (const MethodEntry& method : kMethodTable) {
    if (method.monthlyOnly && period != PeriodType::Month) continue;
    if (HeadWordsMet(method, columns)) available.push_back(method.id);
  }
  return available;
}

const MethodEntry& MethodEntryFor(int id) { return kMethodTable.at(static_cast<std::size_t>(id - 1)); }

const PetMethod& MethodFor(int id) { return *kMethods.at(static_cast<std::size_t>(id - 1)); }

}  // namespace sorvane
