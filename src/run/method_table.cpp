#include "run/method_table.h"

namespace sorvane {

namespace {

// The parameters a humidity source reads: the dew point gives the mean humidity only
// with the day's saturation vapour pressures, of TMAX and TMIN.
ParameterSet HumidityParameters(const MethodEntry& method, HumiditySource source) {
  switch (source) {
    case HumiditySource::Readings: return method.humidityReadings;
    case HumiditySource::DewPoint: return Bit(Parameter::TDEW) | kTemperatures;
    case HumiditySource::MeanHumidity: return Bit(Parameter::RH);
    case HumiditySource::None: break;
  }
  return 0;
}

bool TakesHumidityFrom(const MethodEntry& method, HumiditySource source) {
  switch (method.humidity) {
    case HumidityUse::None: return true;
    case HumidityUse::Mean: return source != HumiditySource::None;
    case HumidityUse::Afternoon: return source == HumiditySource::Readings || source == HumiditySource::DewPoint;
  }
  return false;
}

bool Runs(const MethodEntry& method, ParameterSet present, PeriodType period) {
  // Thornthwaite is a monthly method: its column exists only in monthly files.
  if (method.id == MethodId::Thornthwaite && period != PeriodType::Month) return false;
  const MethodInputs inputs = InputsOf(present);
  if ((method.needs & ~present) != 0 || !TakesHumidityFrom(method, inputs.humidity)) return false;
  // RH1 or RH2 alone lets a method run; the other is read as 0.
  if (inputs.humidity != HumiditySource::Readings && (HumidityParameters(method, inputs.humidity) & ~present) != 0)
    return false;
  return !method.sunshine || inputs.sunshine != SunshineSource::None;
}

}  // namespace

MethodInputs InputsOf(ParameterSet present) {
  MethodInputs inputs{HumiditySource::None, SunshineSource::None};
  if ((present & kHumidities) != 0) inputs.humidity = HumiditySource::Readings;
  else if (Holds(present, Parameter::TDEW)) inputs.humidity = HumiditySource::DewPoint;
  else if (Holds(present, Parameter::RH)) inputs.humidity = HumiditySource::MeanHumidity;
  if (Holds(present, Parameter::SS)) inputs.sunshine = SunshineSource::Sunshine;
  else if (Holds(present, Parameter::RS)) inputs.sunshine = SunshineSource::Radiation;
  return inputs;
}

ParameterSet ParametersRead(int id, const MethodInputs& inputs) {
  const MethodEntry& method = MethodEntryFor(id);
  ParameterSet read = method.needs;
  if (method.humidity != HumidityUse::None) read |= HumidityParameters(method, inputs.humidity);
  if (method.sunshine)
    read |= Bit(inputs.sunshine == SunshineSource::Radiation ? Parameter::RS : Parameter::SS);
  return read;
}

std::vector<int> AvailableMethods(ParameterSet present, PeriodType period) {
  std::vector<int> available;
  for (const MethodEntry& method : kMethodTable)
    if (Runs(method, present, period)) available.push_back(static_cast<int>(method.id));
  return available;
}

std::vector<std::string> LackedBy(int id, ParameterSet present, PeriodType period) {
  const MethodEntry& method = MethodEntryFor(id);
  std::vector<std::string> lacking;
  for (std::size_t code = 1; code < kParameterHeads.size(); ++code)
    if (Holds(method.needs & ~present, static_cast<Parameter>(code))) lacking.emplace_back(kParameterHeads[code]);
  if (!TakesHumidityFrom(method, InputsOf(present).humidity) ||
      (InputsOf(present).humidity == HumiditySource::DewPoint &&
       (HumidityParameters(method, HumiditySource::DewPoint) & ~present) != 0)) {
    // The dew point needs the day's temperatures, which a method may not need itself.
    const std::string dewPoint = (method.needs & kTemperatures) == kTemperatures ? "TDEW" : "TDEW with TMAX and TMIN";
    lacking.push_back(method.humidity == HumidityUse::Mean ? "RH1/RH2, RH or " + dewPoint : "RH1/RH2 or " + dewPoint);
  }
  if (method.sunshine && InputsOf(present).sunshine == SunshineSource::None) lacking.emplace_back("SS or RS");
  if (method.id == MethodId::Thornthwaite && period != PeriodType::Month) lacking.emplace_back("a monthly file");
  return lacking;
}

const MethodEntry& MethodEntryFor(int id) { return kMethodTable.at(static_cast<std::size_t>(id - 1)); }

}  // namespace sorvane
