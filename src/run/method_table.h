// Which methods a weather file allows, decided from its recognised parameter columns;
// the methods themselves are the rows of kMethodTable (methods/method_table.h).
#pragma once

#include <string_view>
#include <vector>

#include "methods/method_table.h"
#include "methods/weather_record.h"

namespace sorvane {

inline constexpr int kThornthwaiteId = static_cast<int>(MethodId::Thornthwaite);

// The parameters each method's formula reads, in MethodId order (Tmean counts as TMAX
// and TMIN): a missing reading of one of them leaves the method's value of that row
// empty, and a file without its column runs the method on 0. Blaney-Criddle takes the
// afternoon humidity RH2 alone, although its head word "RH" is met by RH1 as well.
inline constexpr ParameterSet kTemperatures = Bit(Parameter::TMAX) | Bit(Parameter::TMIN);
inline constexpr ParameterSet kHumidities = Bit(Parameter::RH1) | Bit(Parameter::RH2);
inline constexpr std::array<ParameterSet, 8> kMethodParameters{
    kTemperatures | kHumidities | Bit(Parameter::WS) | Bit(Parameter::SS),
    kTemperatures,
    kTemperatures | Bit(Parameter::SS),
    kTemperatures,
    kTemperatures | Bit(Parameter::RH2) | Bit(Parameter::WS) | Bit(Parameter::SS),
    kTemperatures | kHumidities | Bit(Parameter::WS) | Bit(Parameter::SS) | Bit(Parameter::EVP),
    kHumidities | Bit(Parameter::WS) | Bit(Parameter::EVP),
    kTemperatures | kHumidities | Bit(Parameter::WS) | Bit(Parameter::SS),
};
inline constexpr ParameterSet kParametersOfMethods = [] {
  ParameterSet all = 0;
  for (ParameterSet set : kMethodParameters) all |= set;
  return all;
}();
static_assert(kMethodParameters[1] == kTemperatures && !Holds(kMethodParameters[4], Parameter::RH1));

// The parameters a head word stands for: "RH" for RH1 and RH2, the others for their own.
ParameterSet ParametersOfHeadWord(std::string_view word);

// The MethodIds whose head words are all met by the recognised parameter columns
// `columns`, ascending ("RH" by RH1 or RH2); Thornthwaite only for monthly files.
std::vector<int> AvailableMethods(ParameterSet columns, PeriodType period);

inline ParameterSet ParametersOf(int id) { return kMethodParameters.at(static_cast<std::size_t>(id - 1)); }
inline ParameterSet ParametersOf(MethodId id) { return ParametersOf(static_cast<int>(id)); }

// The row of MethodId `id` (1..8).
const MethodEntry& MethodEntryFor(int id);

}  // namespace sorvane
