// MethodTable: the eight methods in MethodId order, each with the column it writes, the
// parameters it needs, the humidity and sunshine it takes, and the formula applied to a
// record.
#pragma once

#include <array>
#include <cstddef>
#include <string>
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

// How a method's published form takes the air's humidity, and so which of a file's
// humidity parameters it can run on.
enum class HumidityUse {
  None,       // no humidity
  Mean,       // the day's mean humidity or its vapour pressure: RH1/RH2, RH or TDEW
  Afternoon,  // the day's lowest humidity, which a mean does not give: RH1/RH2 or TDEW
};

struct MethodEntry {
  MethodId id;
  std::string_view name;  // the result file's column head
  // The parameters that must each have a column (Tmean counts as TMAX and TMIN).
  ParameterSet needs;
  HumidityUse humidity;
  // Of RH1 and RH2, those the formula reads when the file gives them; one column of the
  // two is enough, the other is then read as 0.
  ParameterSet humidityReadings;
  bool sunshine;  // takes the sunshine: SS, or the measured radiation RS
  RecordMethod* compute;
};

inline constexpr ParameterSet kTemperatures = Bit(Parameter::TMAX) | Bit(Parameter::TMIN);
inline constexpr ParameterSet kHumidities = Bit(Parameter::RH1) | Bit(Parameter::RH2);
inline constexpr ParameterSet kWind = Bit(Parameter::WS);
inline constexpr ParameterSet kPan = Bit(Parameter::EVP);

// Blaney-Criddle takes the afternoon humidity RH2 alone, although RH1 alone lets it run.
inline constexpr std::array<MethodEntry, 8> kMethodTable{{
    {MethodId::ModifiedPenman, "Modified Penman", kTemperatures | kWind, HumidityUse::Mean, kHumidities, true,
     ModifiedPenmanOf},
    {MethodId::Hargreaves, "Hargreaves", kTemperatures, HumidityUse::None, 0, false, HargreavesOf},
    {MethodId::Turc, "Turc", kTemperatures, HumidityUse::None, 0, true, TurcOf},
    {MethodId::Thornthwaite, "Thornthwaite", kTemperatures, HumidityUse::None, 0, false, ThornthwaiteOf},
    {MethodId::BlaneyCriddle, "Blaney Criddle", kTemperatures | kWind, HumidityUse::Afternoon, Bit(Parameter::RH2),
     true, BlaneyCriddleOf},
    {MethodId::Christiansen, "Christiansen", kTemperatures | kWind | kPan, HumidityUse::Mean, kHumidities, true,
     ChristiansenOf},
    {MethodId::OpenPan, "PET Open pan", kWind | kPan, HumidityUse::Mean, kHumidities, false, OpenPanOf},
    {MethodId::PenmanMonteith, "Penman Montieth", kTemperatures | kWind, HumidityUse::Mean, kHumidities, true,
     PenmanMonteithOf},
}};

constexpr bool InMethodIdOrder() {
  for (std::size_t i = 0; i < kMethodTable.size(); ++i)
    if (static_cast<std::size_t>(kMethodTable[i].id) != i + 1) return false;
  return true;
}
static_assert(InMethodIdOrder());
static_assert(kMethodTable[1].needs == kTemperatures && !Holds(kMethodTable[4].humidityReadings, Parameter::RH1));

// Every parameter some method can read.
inline constexpr ParameterSet kParametersOfMethods = [] {
  ParameterSet all = Bit(Parameter::SS) | Bit(Parameter::RS) | Bit(Parameter::TDEW) | Bit(Parameter::RH);
  for (const MethodEntry& method : kMethodTable) all |= method.needs | method.humidityReadings;
  return all;
}();


// The row of `id`: the table is in MethodId order from 1.
constexpr const MethodEntry& MethodEntryFor(MethodId id) {
  return kMethodTable[static_cast<std::size_t>(id) - 1];
}

// The row of MethodId `id` (1..8).
const MethodEntry& MethodEntryFor(int id);

// The parameters method `id` reads with `inputs`: a missing reading of one leaves the
// method's value of that row empty, and one without a column is read as 0.
ParameterSet ParametersRead(int id, const MethodInputs& inputs);

// The MethodIds that can run on the parameters `present`, ascending: every parameter
// a method needs, with a humidity and a sunshine it takes; Thornthwaite only for monthly
// files.
std::vector<int> AvailableMethods(ParameterSet present, PeriodType period);

// What method `id` lacks in `present` to run, in words: "WS", "RH1/RH2, RH or TDEW",
// "SS or RS", "a monthly file"; empty when it runs.
std::vector<std::string> LackedBy(int id, ParameterSet present, PeriodType period);

}  // namespace sorvane
