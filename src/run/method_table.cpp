#include "run/method_table.h"

namespace sorvane {

namespace {

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
    // Thornthwaite is a monthly method: its column exists only in monthly files.
    if (method.id == MethodId::Thornthwaite && period != PeriodType::Month) continue;
    if (HeadWordsMet(method, columns)) available.push_back(static_cast<int>(method.id));
  }
  return available;
}

const MethodEntry& MethodEntryFor(int id) { return kMethodTable.at(static_cast<std::size_t>(id - 1)); }

}  // namespace sorvane
