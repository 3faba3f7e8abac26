#include "run/station_setup.h"

#include "methods/heat_index.h"

namespace sorvane {

PreparedStation PrepareStation(const StationHeader& station, std::optional<double> heatIndex) {
  const double latitudeRadians = LatitudeRadians(station.Latitude);
  PreparedStation prepared{StationConstants{}, SolarGeometryTable(latitudeRadians)};
  prepared.constants.LatitudeRadians = latitudeRadians;
  prepared.constants.AnnualDayLengthTotal = prepared.days.AnnualDayLengthTotal();
  if (heatIndex) {
    prepared.constants.HeatIndex = *heatIndex;
    prepared.constants.ThornthwaiteExponent = ThornthwaiteExponent(*heatIndex);
  }
  return prepared;
}

}  // namespace sorvane
