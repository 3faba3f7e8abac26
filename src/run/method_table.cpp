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

bool HeadWordsOccur(const MethodEntry& method, std::string_view header) {
  for (std::string_view word : method.headWords)
    if (!word.empty() && header.find(word) == std::string_view::npos) return false;
  return true;
}

}  // namespace

std::vector<int> AvailableMethods(std::string_view normalisedHeaderLine, PeriodType period) {
  std::vector<int> available;
  for (const MethodEntry& method : kMethodTable) {
    if (method.monthlyOnly && period != PeriodType::Month) continue;
    if (HeadWordsOccur(method, normalisedHeaderLine)) available.push_back(method.id);
  }
  return available;
}

const MethodEntry& MethodEntryFor(int id) { return kMethodTable.at(static_cast<std::size_t>(id - 1)); }

const PetMethod& MethodFor(int id) { return *kMethods.at(static_cast<std::size_t>(id - 1)); }

}  // namespace sorvane
