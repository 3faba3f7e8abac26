#include "run/record_methods.h"

#include "common/calendar.h"
#include "methods/methods.h"

namespace sorvane {

namespace {

// The value of a daily-rate formula for the record's period.
double PeriodValue(double daily, const WeatherRecord& record) { return ClampAtZero(ScaleToPeriod(daily, record)); }

// Rs from the record's sunshine hours (FAO-56 eq. 35).
double SolarRadiationOf(const WeatherRecord& r, const SolarGeometry& g) {
  return SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
}

}  // namespace

double ScaleToPeriod(double daily, const WeatherRecord& record) {
  switch (record.Period) {
    case PeriodType::Week: return daily * 7;
    case PeriodType::Month:
      // The reader lets only months 1..12 through; anything else has no month length.
      if (!(record.PeriodNumber >= 1 && record.PeriodNumber <= 12)) return kNotComputable;
      return daily * kMonthDays[static_cast<std::size_t>(record.PeriodNumber)];
    case PeriodType::Date: break;
  }
  return daily;
}

double ModifiedPenmanOf(const WeatherRecord& r, const StationHeader& station, const StationConstants&,
                        const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  return PeriodValue(ModifiedPenman(terms.atTmean, r.RH1, r.RH2, WindRun(r.WS), SolarRadiationOf(r, g), r.SS,
                                    g.DayLength, station.Elevation),
                     r);
}

double HargreavesOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  return PeriodValue(Hargreaves(r.TMAX, r.TMIN, terms.day.ExtraterrestrialRadiation), r);
}

double TurcOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  return PeriodValue(Turc(r.Tmean, SolarRadiationOf(r, terms.day)), r);
}

// A monthly formula: its value is the month's.
double ThornthwaiteOf(const WeatherRecord& r, const StationHeader&, const StationConstants& k,
                      const RowTerms& terms) {
  return ClampAtZero(Thornthwaite(r.Tmean, terms.day.DayLength, k.HeatIndex, k.ThornthwaiteExponent));
}

// Blaney-Criddle's humidity is the afternoon's, RH2.
double BlaneyCriddleOf(const WeatherRecord& r, const StationHeader&, const StationConstants& k,
                       const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  return PeriodValue(BlaneyCriddle(r.Tmean, r.RH2, r.SS / g.DayLength, MetresPerSecond(r.WS),
                                   DaytimeHoursPercentage(g.DayLength, k.AnnualDayLengthTotal)),
                     r);
}

// The pan methods' EVP already holds the period's total: their value is not scaled.
double ChristiansenOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  return ClampAtZero(Christiansen(r.EVP, r.Tmean, r.WS, r.RH1, r.RH2, r.SS / terms.day.DayLength));
}

double OpenPanOf(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  return ClampAtZero(OpenPan(r.EVP, r.RH1, r.RH2, WindRun(r.WS), terms.logWindRun));
}

// RH1, the morning's humidity, is taken as RHmax and RH2, the afternoon's, as RHmin.
double PenmanMonteithOf(const WeatherRecord& r, const StationHeader& station, const StationConstants&,
                        const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  const double ea = ActualVapourPressure(terms.atTmin.saturationVapourPressure,
                                         terms.atTmax.saturationVapourPressure, r.RH1, r.RH2);
  return PeriodValue(PenmanMonteith(terms.atTmax, terms.atTmin, terms.atTmean, ea, SolarRadiationOf(r, g),
                                    g.ExtraterrestrialRadiation, station.Elevation, MetresPerSecond(r.WS)),
                     r);
}

}  // namespace sorvane
