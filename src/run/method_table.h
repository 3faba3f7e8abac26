// MethodTable: the eight methods in MethodId order, each with the column it writes, the
// head words a file's header must contain for it to run, the parameters its formula
// reads, and the formula applied to a record.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "methods/weather_record.h"
#include "run/record_methods.h"

namespace sorvane {

enum class MethodId {
  ModifiedPenman = 1,
  Hargreaves,
  Turc,
  Thornthwaite,
  BlaneyCriddle,
  Christiansen,
  OpenPan,
  PenmanMonteith,
};

inline constexpr int kThornthwaiteId = static_cast<int>(MethodId::Thornthwaite);

struct MethodEntry {
  MethodId id;
  std::string_view name;                      // the result file's column head
  std::array<std::string_view, 6> headWords;  // substrings of the normalised header line; "" unused
  // The parameters the formula reads (Tmean counts as TMAX and TMIN): a missing reading
  // of one leaves the method's value of that row empty, and a file without its column
  // runs the method on 0.
  ParameterSet parameters;
  RecordMethod* compute;
};

inline constexpr ParameterSet kTemperatures = Bit(Parameter::TMAX) | Bit(Parameter::TMIN);
inline constexpr ParameterSet kHumidities = Bit(Parameter::RH1) | Bit(Parameter::RH2);
inline constexpr ParameterSet kWindAndSunshine = Bit(Parameter::WS) | Bit(Parameter::SS);

// Blaney-Criddle takes the afternoon humidity RH2 alone, although its head word "RH" is
// met by RH1 as well.
inline constexpr std::array<MethodEntry, 8> kMethodTable{{
    {MethodId::ModifiedPenman, "Modified Penman", {"TMAX", "TMIN", "WS", "RH", "SS", ""},
     kTemperatures | kHumidities | kWindAndSunshine, ModifiedPenmanOf},
    {MethodId::Hargreaves, "Hargreaves", {"TMAX", "TMIN", "", "", "", ""}, kTemperatures, HargreavesOf},
    {MethodId::Turc, "Turc", {"TMAX", "TMIN", "SS", "", "", ""}, kTemperatures | Bit(Parameter::SS), TurcOf},
    {MethodId::Thornthwaite, "Thornthwaite", {"TMAX", "TMIN", "", "", "", ""}, kTemperatures, ThornthwaiteOf},
    {MethodId::BlaneyCriddle, "Blaney Criddle", {"TMAX", "TMIN", "WS", "RH", "SS", ""},
     kTemperatures | Bit(Parameter::RH2) | kWindAndSunshine, BlaneyCriddleOf},
    {MethodId::Christiansen, "Christiansen", {"TMAX", "TMIN", "WS", "RH", "SS", "EVP"},
     kTemperatures | kHumidities | kWindAndSunshine | Bit(Parameter::EVP), ChristiansenOf},
    {MethodId::OpenPan, "PET Open pan", {"WS", "RH", "EVP", "", "", ""},
     kHumidities | Bit(Parameter::WS) | Bit(Parameter::EVP), OpenPanOf},
    {MethodId::PenmanMonteith, "Penman Montieth", {"TMAX", "TMIN", "WS", "RH", "SS", ""},
     kTemperatures | kHumidities | kWindAndSunshine, PenmanMonteithOf},
}};

constexpr bool InMethodIdOrder() {
  for (std::size_t i = 0; i < kMethodTable.size(); ++i)
    if (static_cast<std::size_t>(kMethodTable[i].id) != i + 1) return false;
  return true;
}
static_assert(InMethodIdOrder());
static_assert(kMethodTable[1].parameters == kTemperatures && !Holds(kMethodTable[4].parameters, Parameter::RH1));

// The row of `id`: the table is in MethodId order from 1.
constexpr const MethodEntry& MethodEntryFor(MethodId id) {
  return kMethodTable[static_cast<std::size_t>(id) - 1];
}

// The row of MethodId `id` (1..8).
const MethodEntry& MethodEntryFor(int id);

inline ParameterSet ParametersOf(int id) { return MethodEntryFor(id).parameters; }
inline ParameterSet ParametersOf(MethodId id) { return MethodEntryFor(id).parameters; }

// The parameters a head word stands for: "RH" for RH1 and RH2, the others for their own.
ParameterSet ParametersOfHeadWord(std::string_view word);

// The MethodIds whose head words are all met by the recognised parameter columns
// `columns`, ascending ("RH" by RH1 or RH2); Thornthwaite only for monthly files.
std::vector<int> AvailableMethods(ParameterSet columns, PeriodType period);

}  // namespace sorvane
