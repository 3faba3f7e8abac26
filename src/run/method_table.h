// Which methods a weather file allows, decided from its header line; the methods
// themselves are the rows of kMethodTable (methods/method_table.h).
#pragma once

#include <string_view>
#include <vector>

#include "methods/method_table.h"
#include "methods/weather_record.h"

namespace sorvane {

inline constexpr int kThornthwaiteId = static_cast<int>(MethodId::Thornthwaite);

// The MethodIds whose head words all occur in the normalised header line, ascending;
// Thornthwaite only for monthly files.
std::vector<int> AvailableMethods(std::string_view normalisedHeaderLine, PeriodType period);

// The row of MethodId `id` (1..8).
const MethodEntry& MethodEntryFor(int id);

}  // namespace sorvane
