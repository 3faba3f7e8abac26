#include "run/record_methods.h"

#include <algorithm>

#include "common/calendar.h"
#include "methods/methods.h"

namespace sorvane {

namespace {

// The value of a daily-rate formula for the record's period. (A day's rate times 1 is
// that rate exactly.)
double PeriodValue(double daily, const RowTerms& terms) { return ClampAtZero(daily * terms.periodDays); }

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

}  // namespace

MethodReadings ReadingsOf(const WeatherRecord& record, const RowTerms& terms, const MethodInputs& inputs) {
  MethodReadings readings;
  FillReadings(record, terms, inputs, readings);
  return readings;
}

void FillReadings(const WeatherRecord& record, const RowTerms& terms, const MethodInputs& inputs,
                  MethodReadings& readings) {
  AddHumidity(record, terms, inputs.humidity, readings);
  AddSunshine(record, terms.day, inputs.sunshine, readings);
}

double PeriodDays(const WeatherRecord& record) {
  switch (record.Period) {
    case PeriodType::Week: return 7;
    case PeriodType::Month:
      // The reader lets only months 1..12 through; anything else has no month length.
      if (!(record.PeriodNumber >= 1 && record.PeriodNumber <= 12)) return kNotComputable;
      return kMonthDays[static_cast<std::size_t>(record.PeriodNumber)];
    case PeriodType::Date: break;
  }
  return 1;
}

double ModifiedPenmanOf(const WeatherRecord& r, const StationHeader& station, const StationConstants&,
                        const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  const MethodReadings& in = terms.readings;
  return PeriodValue(ModifiedPenman(terms.atTmean, in.vapourPressureMbar, WindRun(r.WS), in.sunshineRadiation,
                                    in.sunshineHours, g.DayLength, station.Elevation), terms);
}

double HargreavesOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  return PeriodValue(Hargreaves(r.TMAX, r.TMIN, terms.day.ExtraterrestrialRadiation), terms);
}

double TurcOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  return PeriodValue(Turc(r.Tmean, terms.readings.sunshineRadiation), terms);
}

// A monthly formula: its value is the month's.
double ThornthwaiteOf(const WeatherRecord& r, const StationHeader&, const StationConstants& k,
                      const RowTerms& terms) {
  return ClampAtZero(Thornthwaite(r.Tmean, terms.day.DayLength, k.HeatIndex, k.ThornthwaiteExponent));
}

double BlaneyCriddleOf(const WeatherRecord& r, const StationHeader&, const StationConstants& k,
                       const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  const MethodReadings& in = terms.readings;
  return PeriodValue(BlaneyCriddle(r.Tmean, in.afternoonHumidity, in.sunshineHours / g.DayLength,
                                   MetresPerSecond(r.WS), DaytimeHoursPercentage(g.DayLength, k.AnnualDayLengthTotal)), terms);
}

// The pan methods' EVP already holds the period's total: their value is not scaled.
double ChristiansenOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  const MethodReadings& in = terms.readings;
  return ClampAtZero(Christiansen(r.EVP, r.Tmean, r.WS, in.meanHumidity, in.sunshineHours / terms.day.DayLength));
}

double OpenPanOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  return ClampAtZero(OpenPan(r.EVP, terms.readings.meanHumidity, WindRun(r.WS), terms.logWindRun));
}

double PenmanMonteithOf(const WeatherRecord& r, const StationHeader& station, const StationConstants&,
                        const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  const MethodReadings& in = terms.readings;
  return PeriodValue(PenmanMonteith(terms.atTmax, terms.atTmin, terms.atTmean, in.vapourPressure, in.solarRadiation,
                                    g.ExtraterrestrialRadiation, station.Elevation, MetresPerSecond(r.WS)), terms);
}

}  // namespace sorvane
