// Any bytes as a weather data file: read the header and every record, compute every
// method the header allows and render each value, as a PetRun does.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/numbers.h"
#include "run/method_table.h"
#include "run/row_terms_maker.h"
#include "run/station_setup.h"
#include "run/weather_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  WeatherFileReader reader{FieldReader(std::string_view(reinterpret_cast<const char*>(data), size))};
  reader.SetMissingValues({true, {-99}});
  const auto header = reader.ReadHeader();
  if (!header) return 0;
  const PreparedStation station = PrepareStation(header->Station, 148.21);
  RowTermsMaker terms;
  const auto methods = AvailableMethods(header->RecognisedColumns(), header->Period);
  const MethodInputs inputs = InputsOf(header->RecognisedColumns());
  WeatherRecord record;
  std::string line;
  while (reader.NextRecord(record) == WeatherFileReader::Step::Record) {
    line.assign(record.PeriodKey);
    if (record.Period != PeriodType::Date) AppendPeriodNumber(line, record.PeriodNumber);
    const RowTerms rowTerms = terms.For(record, station.days, inputs);
    for (int id : methods) {
      const double value = (reader.MissingInLastRecord() & ParametersRead(id, inputs)) != 0
                               ? kNotComputable
                               : MethodEntryFor(id).compute(record, header->Station, station.constants, rowTerms);
      line.push_back(',');
      if (std::isfinite(value)) AppendPetValue(line, value);
    }
  }
  return 0;
}
