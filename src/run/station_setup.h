// The set-up of a weather file's station before its first record, the same for a run,
// a check and any other reader of weather files.
#pragma once

#include <optional>

#include "methods/solar_geometry.h"
#include "methods/weather_record.h"

namespace sorvane {

// Run-level values of one data file, made before its first record.
struct StationConstants {
  double LatitudeRadians = 0;       // rad, with 3.14 for pi
  double AnnualDayLengthTotal = 0;  // hours, N summed over days 1..365
  double HeatIndex = 0;             // Thornthwaite I, dimensionless
  double ThornthwaiteExponent = 0;  // Thornthwaite a, dimensionless
};

struct PreparedStation {
  StationConstants constants;
  SolarGeometryTable days;  // the station's geometry of every day a record can ask for
};

// LatitudeRadians, the geometry table and the AnnualDayLengthTotal taken from it; the
// HeatIndex and its ThornthwaiteExponent when `heatIndex` is given (0 otherwise).
PreparedStation PrepareStation(const StationHeader& station, std::optional<double> heatIndex);

}  // namespace sorvane
