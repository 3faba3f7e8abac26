// The set-up of a weather file's station before its first record, the same for a run,
// a check and any other reader of weather files.
#pragma once

#include <optional>

#include "methods/pet_method.h"
#include "methods/solar_geometry.h"

namespace sorvane {

struct PreparedStation {
  StationConstants constants;
  SolarGeometryTable days;  // the station's geometry of every day a record can ask for
};

// LatitudeRadians, the geometry table and the AnnualDayLengthTotal taken from it; the
// HeatIndex and its ThornthwaiteExponent when `heatIndex` is given (0 otherwise).
PreparedStation PrepareStation(const StationHeader& station, std::optional<double> heatIndex);

}  // namespace sorvane
