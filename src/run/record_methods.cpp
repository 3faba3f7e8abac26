#include "run/record_methods.h"

#include "methods/methods.h"

namespace sorvane {

namespace {

// The value of a daily-rate formula for the record's period. (A day's rate times 1 is
// that rate exactly.)
double PeriodValue(double daily, const RowTerms& terms) { return ClampAtZero(daily * terms.periodDays); }

}  // namespace

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
