#include "run/row_terms_maker.h"

#include <algorithm>
#include <cmath>

#include "run/record_methods.h"

namespace sorvane {

namespace {

double LogWindRun(double windKmPerHour) { return std::log(WindRun(windKmPerHour)); }

// The humidity of a record, by what the file records. One vapour pressure of the air
// underlies them all; each method receives the humidity its published form takes,
// such that it stands for that very vapour pressure.
//
// RH1/RH2, the morning's and the afternoon's readings (the format's first humidity):
//   Penman Montieth  ea = (e0(Tmin) RH1 + e0(Tmax) RH2) / 200 (FAO-56 eq. 17);
//   Modified Penman  ed = es(Tmean) RHmean / 100, mbar, RHmean = (RH1 + RH2) / 2 (FAO-24);
//   Christiansen, Open pan  RHmean;   Blaney-Criddle  RHmin = RH2.
// TDEW, the dew point: ea = e0(Tdew) (FAO-56 eq. 14), the same e0 curve as Tmax's, and
//   Penman Montieth  that ea;
//   Modified Penman  ed = 10 ea, mbar: the vapour pressure itself, not its own es curve
//     at Tdew, so that every method stands for one vapour pressure;
//   Christiansen, Open pan  RHmean = 100 ea / ((e0(Tmax) + e0(Tmin)) / 2), the mean
//     humidity that FAO-56 eq. 19 turns back into ea;
//   Blaney-Criddle  RHmin = 100 ea / e0(Tmax), the humidity of the day's warmest hour.
// RH, a single mean humidity, for the methods whose published form takes a mean:
//   Penman Montieth  ea = RH / 100 (e0(Tmax) + e0(Tmin)) / 2 (FAO-56 eq. 19);
//   Modified Penman  ed = es(Tmean) RH / 100 (FAO-24's own use of the mean);
//   Christiansen, Open pan  RHmean = RH;   Blaney-Criddle, which takes RHmin, does not run.
void AddHumidity(const WeatherRecord& r, const RowTerms& terms, HumiditySource source, MethodReadings& out) {
  const double eMax = terms.atTmax.saturationVapourPressure, eMin = terms.atTmin.saturationVapourPressure;  // kPa
  const double esMbar = terms.atTmean.saturationVapourPressureMbar;
  switch (source) {
    case HumiditySource::DewPoint: {
      const double ea = terms.atTdew.saturationVapourPressure;  // kPa
      out.vapourPressure = ea;
      out.vapourPressureMbar = 10 * ea;
      out.meanHumidity = 100 * ea / ((eMax + eMin) / 2);
      out.afternoonHumidity = 100 * ea / eMax;
      return;
    }
    case HumiditySource::MeanHumidity:
      out.vapourPressure = r.RH / 100 * ((eMax + eMin) / 2);
      out.vapourPressureMbar = esMbar * r.RH / 100;
      out.meanHumidity = r.RH;
      out.afternoonHumidity = kNotComputable;
      return;
    case HumiditySource::Readings:
    case HumiditySource::None: break;
  }
  out.vapourPressure = ActualVapourPressure(eMin, eMax, r.RH1, r.RH2);
  out.meanHumidity = (r.RH1 + r.RH2) / 2;
  out.vapourPressureMbar = esMbar * out.meanHumidity / 100;
  out.afternoonHumidity = r.RH2;
}

// The sunshine of a record. With SS, n is the reading and Rs follows from it by the
// Angstrom relation Rs = (0.25 + 0.5 n/N) Ra (FAO-56 eq. 35 with this program's
// coefficients). With the measured RS, Penman Montieth takes that Rs as it is; the
// methods that take sunshine get the n/N that the same relation turns into the measured
// Rs, n/N = (Rs / Ra - 0.25) / 0.5, held within 0..1 (an overcast day below 0.25 Ra, or
// a reading above 0.75 Ra, has no sunshine ratio of its own), and the Rs of that n.
void AddSunshine(const WeatherRecord& r, const SolarGeometry& g, SunshineSource source, MethodReadings& out) {
  if (source == SunshineSource::Radiation) {
    const double ratio = (r.RS / g.ExtraterrestrialRadiation - 0.25) / 0.5;
    const double held = std::clamp(ratio, 0.0, 1.0);
    out.sunshineClamped = held != ratio;
    out.sunshineHours = held * g.DayLength;
    out.sunshineRadiation = SolarRadiation(g.ExtraterrestrialRadiation, out.sunshineHours, g.DayLength);
    out.solarRadiation = r.RS;
    return;
  }
  out.sunshineClamped = false;
  out.sunshineHours = r.SS;
  out.sunshineRadiation = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
  out.solarRadiation = out.sunshineRadiation;
}

// The humidity and sunshine each method takes, every field of `readings` overwritten;
// `terms` holds the record's geometry and temperatures (TDEW's when the humidity is the
// dew point). Inline: it is part of every row's work.
inline void AddReadings(const WeatherRecord& record, const RowTerms& terms, const MethodInputs& inputs,
                        MethodReadings& readings) {
  AddHumidity(record, terms, inputs.humidity, readings);
  AddSunshine(record, terms.day, inputs.sunshine, readings);
}

}  // namespace

RowTerms RowTermsOf(const WeatherRecord& record, const SolarGeometry& day, const MethodInputs& inputs) {
  RowTerms terms{day, AirTemperatureOf(record.TMAX), AirTemperatureOf(record.TMIN), AirTemperatureOf(record.Tmean),
                 {}, LogWindRun(record.WS), PeriodDays(record), {}};
  if (inputs.humidity == HumiditySource::DewPoint) terms.atTdew = AirTemperatureOf(record.TDEW);
  AddReadings(record, terms, inputs, terms.readings);
  return terms;
}

RowTerms RowTermsMaker::For(const WeatherRecord& record, const SolarGeometryTable& days,
                            const MethodInputs& inputs) {
  RowTerms terms;
  Fill(record, days, inputs, terms);
  return terms;
}

AirTemperature RowTermsMaker::TermsOf(double celsius) {
  const SaturationTerms remembered = temperatures_.Get(celsius, [](double c) {
    const AirTemperature computed = AirTemperatureOf(c);
    return SaturationTerms{computed.saturationVapourPressure, computed.saturationVapourPressureMbar,
                           computed.fourthPowerKelvin};
  });
  return {celsius, remembered.saturationVapourPressure, remembered.saturationVapourPressureMbar,
          remembered.fourthPowerKelvin};
}

void RowTermsMaker::Fill(const WeatherRecord& record, const SolarGeometryTable& days, const MethodInputs& inputs,
                         RowTerms& terms) {
  terms.day = days.At(record.DayOfYear);
  terms.atTmax = TermsOf(record.TMAX);
  terms.atTmin = TermsOf(record.TMIN);
  terms.atTmean = TermsOf(record.Tmean);
  if (inputs.humidity == HumiditySource::DewPoint) terms.atTdew = TermsOf(record.TDEW);
  terms.logWindRun = logWindRuns_.Get(record.WS, LogWindRun);
  terms.periodDays = PeriodDays(record);
  AddReadings(record, terms, inputs, terms.readings);
}

}  // namespace sorvane
