// MethodTable: the eight methods in MethodId order, with the column each writes and
// the head words that a file's recognised columns must meet for the method to run.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "run/pet_method.h"
#include "run/weather_record.h"

namespace sorvane {

struct MethodEntry {
  int id;                                     // MethodId, 1..8
  std::string_view name;                      // the result file's column head
  std::array<std::string_view, 6> headWords;  // each met by a recognised column ("RH": RH1 or RH2); "" unused
  bool monthlyOnly;                           // Thornthwaite runs for monthly files only
};

inline constexpr std::array<MethodEntry, 8> kMethodTable{{
    {1, "Modified Penman", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, false},
    {2, "Hargreaves", {"TMAX", "TMIN", "", "", "", ""}, false},
    {3, "Turc", {"TMAX", "TMIN", "SS", "", "", ""}, false},
    {4, "Thornthwaite", {"TMAX", "TMIN", "", "", "", ""}, true},
    {5, "Blaney Criddle", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, false},
    {6, "Christiansen", {"TMAX", "TMIN", "WS", "RH", "SS", "EVP"}, false},
    {7, "PET Open pan", {"WS", "RH", "EVP", "", "", ""}, false},
    {8, "Penman Montieth", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, false},
}};
static_assert(kMethodTable[3].name == "Thornthwaite" && kMethodTable[7].id == 8);

inline constexpr int kThornthwaiteId = 4;

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
static_assert(kMethodParameters[1] == kTemperatures && !Holds(kMethodParameters[4], Parameter::RH1));

// The parameters a head word stands for: "RH" for RH1 and RH2, the others for their own.
ParameterSet ParametersOfHeadWord(std::string_view word);

// The MethodIds whose head words are all met by the recognised parameter columns
// `columns`, ascending ("RH" by RH1 or RH2); Thornthwaite only for monthly files.
std::vector<int> AvailableMethods(ParameterSet columns, PeriodType period);

inline ParameterSet ParametersOf(int id) { return kMethodParameters.at(static_cast<std::size_t>(id - 1)); }

const MethodEntry& MethodEntryFor(int id);
const PetMethod& MethodFor(int id);

}  // namespace sorvane
