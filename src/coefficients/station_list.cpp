#include "coefficients/station_list.h"

#include "common/line_fields.h"
#include "common/numbers.h"
#include "common/text.h"

namespace sorvane {

StationRead NextStation(FieldReader& reader, std::vector<std::string>& fields, Station& station, Problem& problem) {
  const long lineBefore = reader.Line();
  if (reader.SkipBlankRest()) return StationRead::End;
  const bool blankLinesBefore = reader.Line() != lineBefore;
  const long line = reader.Line();
  const FieldReader::Field first = reader.Next();
  if (first.status == FieldReader::Status::Ok && TrimSpaces(first.text) == "&") return StationRead::End;
  if (blankLinesBefore) {
    problem = AtLine(lineBefore, "a blank line between station rows (only the end of the list may be blank)");
    return StationRead::Problem;
  }
  switch (ContinueLineFields(reader, first, fields, problem)) {
    case LineRead::Fields:
      break;
    case LineRead::EndOfFile:
      return StationRead::End;
    case LineRead::Problem:
      return StationRead::Problem;
  }
  if (fields.size() != kStationListFields) {
    problem = AtLine(line, WrongFieldCount(fields.size(), "a station row", kStationListFields, "name, latitude, longitude"));
    return StationRead::Problem;
  }
  if (!FitsUnquoted(fields[0])) {
    problem = AtLine(line, "field 1 (station name) '" + fields[0] + "'" + std::string(kCannotBeWritten));
    return StationRead::Problem;
  }
  const ParsedNumber latitude = ParseNumber(fields[1]);
  if (latitude.status == NumberStatus::Invalid) {
    problem = AtLine(line, NotANumber(2, "latitude", fields[1]));
    return StationRead::Problem;
  }
  const ParsedNumber longitude = ParseNumber(fields[2]);
  if (longitude.status == NumberStatus::Invalid) {
    problem = AtLine(line, NotANumber(3, "longitude", fields[2]));
    return StationRead::Problem;
  }
  station = {line, fields[0], latitude.value, longitude.value};
  return StationRead::Station;
}

}  // namespace sorvane
