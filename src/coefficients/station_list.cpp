#include "coefficients/station_list.h"

#include "common/line_fields.h"
#include "common/numbers.h"
#include "common/text.h"

namespace sorvane {

Expected<StationRead> NextStation(FieldReader& reader, std::vector<std::string>& fields, Station& station) {
  const long lineBefore = reader.Line();
  if (reader.SkipBlankRest()) return StationRead::End;
  const bool blankLinesBefore = reader.Line() != lineBefore;
  const long line = reader.Line();
  const FieldReader::Field first = reader.Next();
  if (first.status == FieldReader::Status::Ok && TrimSpaces(first.text) == "&") return StationRead::End;
  if (blankLinesBefore)
    return Fail(lineBefore, "a blank line between station rows (only the end of the list may be blank)");
  const auto read = ContinueLineFields(reader, first, fields);
  if (!read) return Fail(read.error());
  if (*read == LineRead::EndOfFile) return StationRead::End;
  if (fields.size() != kStationListFields)
    return Fail(line, WrongFieldCount(fields.size(), "a station row", kStationListFields, "name, latitude, longitude"));
  if (!FitsUnquoted(fields[0]))
    return Fail(line, "field 1 (station name) '" + fields[0] + "'" + std::string(kCannotBeWritten));
  const ParsedNumber latitude = ParseNumber(fields[1]);
  if (latitude.status == NumberStatus::Invalid)
    return Fail(line, NotANumber(2, "latitude", fields[1]));
  const ParsedNumber longitude = ParseNumber(fields[2]);
  if (longitude.status == NumberStatus::Invalid)
    return Fail(line, NotANumber(3, "longitude", fields[2]));
  station = {line, fields[0], latitude.value, longitude.value};
  return StationRead::Station;
}

}  // namespace sorvane
