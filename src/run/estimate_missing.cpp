#include "run/estimate_missing.h"

#include <algorithm>

#include "methods/air_terms.h"

namespace sorvane {

namespace {

constexpr ParameterSet kRadiation = Bit(Parameter::SS) | Bit(Parameter::RS);
constexpr ParameterSet kHumidity =
    Bit(Parameter::RH1) | Bit(Parameter::RH2) | Bit(Parameter::RH) | Bit(Parameter::TDEW);
constexpr ParameterSet kReadingPair = Bit(Parameter::RH1) | Bit(Parameter::RH2);

// The radiation and humidity parameters the rows hold: those the file records, the
// second reading of a pair of which it records one, else RS and TDEW.
ParameterSet TargetsOf(ParameterSet columns) {
  ParameterSet targets = Bit(Parameter::WS);
  targets |= (columns & kRadiation) != 0 ? columns & kRadiation : Bit(Parameter::RS);
  ParameterSet humidity = columns & kHumidity;
  if ((humidity & kReadingPair) != 0) humidity |= kReadingPair;
  targets |= humidity != 0 ? humidity : Bit(Parameter::TDEW);
  return targets;
}

// The field of the record that holds `p`, one of the parameters estimated here.
double WeatherRecord::*FieldOf(Parameter p) {
  switch (p) {
    case Parameter::SS: return &WeatherRecord::SS;
    case Parameter::RS: return &WeatherRecord::RS;
    case Parameter::RH1: return &WeatherRecord::RH1;
    case Parameter::RH2: return &WeatherRecord::RH2;
    case Parameter::RH: return &WeatherRecord::RH;
    case Parameter::TDEW: return &WeatherRecord::TDEW;
    default: return &WeatherRecord::WS;
  }
}

}  // namespace

MissingInputEstimator::MissingInputEstimator(const MissingEstimates& estimates, ParameterSet columns)
    : estimates_(estimates), columns_(columns), targets_(TargetsOf(columns)) {}

ParameterSet MissingInputEstimator::Fill(WeatherRecord& r, ParameterSet& missing, const SolarGeometry& day) const {
  const ParameterSet wanted = targets_ & (missing | ~columns_);
  if (wanted == 0) return 0;
  const bool hasTmin = !Holds(missing, Parameter::TMIN) && Holds(columns_, Parameter::TMIN);
  const bool hasRange = hasTmin && !Holds(missing, Parameter::TMAX) && Holds(columns_, Parameter::TMAX);
  ParameterSet estimated = 0;
  const auto give = [&](Parameter p, double value) {
    if (!Holds(wanted, p)) return;
    r.*FieldOf(p) = value;
    estimated |= Bit(p);
  };
  if (hasRange) {
    const double ra = day.ExtraterrestrialRadiation;
    const double rs = SolarRadiationFromTemperatures(estimates_.radiationCoefficient, r.TMAX, r.TMIN, ra);
    give(Parameter::RS, rs);
    give(Parameter::SS, RelativeSunshineGiving(rs, ra) * day.DayLength);
  }
  if (hasTmin) {
    const double dewPoint = DewPointFromMinimum(r.TMIN, estimates_.dewPointOffset);
    const double ea = SaturationVapourPressure(dewPoint);  // kPa
    const double atTmin = SaturationVapourPressure(r.TMIN);
    give(Parameter::TDEW, dewPoint);
    give(Parameter::RH1, RelativeHumidityOf(ea, atTmin));
    if (hasRange) {
      const double atTmax = SaturationVapourPressure(r.TMAX);
      give(Parameter::RH2, RelativeHumidityOf(ea, atTmax));
      give(Parameter::RH, RelativeHumidityOf(ea, (atTmax + atTmin) / 2));  // es of FAO-56 eq. 12
    }
  }
  // km/h, raised to the reader's floor of 1.6 as a recorded wind is.
  give(Parameter::WS, std::max(1.6, estimates_.windAt2m * 3.6));
  missing = (missing & ~estimated) | (wanted & ~estimated);
  return estimated;
}

std::string EstimatedText(ParameterSet estimated) {
  std::string text;
  for (std::size_t code = 1; code < kParameterHeads.size(); ++code)
    if (Holds(estimated, static_cast<Parameter>(code))) {
      if (!text.empty()) text += ' ';
      text += kParameterHeads[code];
    }
  return text;
}

}  // namespace sorvane

namespace sorvane {

void EstimateTally::NoteEstimated(ParameterSet estimated) {
  ++rows;
  for (std::size_t code = 1; code < perParameter.size(); ++code)
    if (Holds(estimated, static_cast<Parameter>(code))) ++perParameter[code];
}

std::string EstimateCounts(const EstimateTally& tally) {
  std::string counts;
  for (std::size_t code = 1; code < tally.perParameter.size(); ++code)
    if (tally.perParameter[code] > 0)
      counts += (counts.empty() ? "" : ", ") + std::string(kParameterHeads[code]) + " " +
                std::to_string(tally.perParameter[code]);
  return counts;
}

}  // namespace sorvane
