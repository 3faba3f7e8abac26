#include "run/method_table.h"

namespace sorvane {

namespace {

bool HeadWordsOccur(const MethodEntry& method, std::string_view header) {
  for (std::string_view word : method.headWords)
    if (!word.empty() && header.find(word) == std::string_view::npos) return false;
  return true;
}

}  // namespace

std::vector<int> AvailableMethods(std::string_view normalisedHeaderLine, PeriodType period) {
  std::vector<int> available;
  for (const MethodEntry& method : kMethodTable) {
    // Thornthwaite is a monthly method: its column exists only in monthly files.
    if (method.id == MethodId::Thornthwaite && period != PeriodType::Month) continue;
    if (HeadWordsOccur(method, normalisedHeaderLine)) available.push_back(static_cast<int>(method.id));
  }
  return available;
}

const MethodEntry& MethodEntryFor(int id) { return kMethodTable.at(static_cast<std::size_t>(id - 1)); }

}  // namespace sorvane
