// Any bytes as a heat index table, interpolated for a station and for each grid point.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "methods/heat_index.h"
#include "run/heat_index_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  const std::string_view table(reinterpret_cast<const char*>(data), size);
  for (const auto& [latitude, longitude] : {std::pair{14.41, 77.37}, std::pair{0.0, 0.0}, std::pair{-89.0, 180.0}}) {
    FieldReader reader(table);
    if (const auto heatIndex = InterpolateHeatIndex(reader, latitude, longitude))
      (void)ThornthwaiteExponent(*heatIndex);
  }
  return 0;
}
