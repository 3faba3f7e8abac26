// Weather data files as a station writes them, for every test that needs one: the station
// name, the heads of the coordinates, the coordinates, the header line, the data rows and
// the "&" that ends them, each line ended by CR LF.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "support/temp_app_folder.h"

namespace sorvane::testing {

inline constexpr std::string_view kTestStationName = "Kestrel Ridge";
// The station of the worked examples: latitude 14.41 N, longitude 77.37 E, elevation 350 m.
inline constexpr std::string_view kExampleCoordinates = "14.41,77.37,350";

// Lines 1 to 4: the station name, "Latitude,Longitude,Elevation", `coordinates`, `heads`.
inline std::string WeatherFileHead(std::string_view heads, std::string_view coordinates = kExampleCoordinates) {
  return Lines({kTestStationName, "Latitude,Longitude,Elevation", coordinates, heads});
}

// The head, one line per row and the closing "&" line. `rows` is a braced list of texts
// or any container of strings.
template <typename Rows = std::initializer_list<std::string_view>>
std::string WeatherFile(std::string_view heads, const Rows& rows, std::string_view coordinates = kExampleCoordinates) {
  std::string text = WeatherFileHead(heads, coordinates);
  for (std::string_view row : rows) {
    text += row;
    text += "\r\n";
  }
  return text + "&\r\n";
}

}  // namespace sorvane::testing
