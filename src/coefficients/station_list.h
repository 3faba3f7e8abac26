// The StationList: a heading line, then one "name,latitude,longitude" row per station,
// ended by a row whose first field is "&", by the end of the file, or by blank lines
// that run to it. And the rule a name must keep to be written into a CoefficientFile.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/field_reader.h"
#include "common/notices.h"
#include "common/problem.h"

namespace sorvane {

inline constexpr std::size_t kStationListFields = 3;  // name, latitude, longitude
inline constexpr std::string_view kCannotBeWritten =
    " holds a comma or a line break, which a coefficient file cannot hold";

// The CoefficientFile is written without quotes, so a name holding a comma or a line
// break would split its line.
inline bool FitsUnquoted(std::string_view name) { return name.find_first_of(",\r\n") == std::string_view::npos; }

struct Station {
  long line = 0;
  std::string nameAsRead;  // leading spaces skipped by the reader; trailing ones kept
  double latitudeDegrees = 0;
  double longitudeDegrees = 0;
};

enum class StationRead { Station, End };

// The next row of a StationList whose heading has been read, or the problem of a row
// that cannot be read exactly; a blank line between rows is refused.
Expected<StationRead> NextStation(FieldReader& reader, std::vector<std::string>& fields, Station& station);

}  // namespace sorvane
