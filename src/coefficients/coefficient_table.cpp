#include "coefficients/coefficient_table.h"

#include "common/text.h"

#include <algorithm>

#include "coefficients/scratch_file.h"
#include "common/numbers.h"
#include "common/text.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

std::string ColumnName(const std::vector<std::string>& methodNames, std::size_t column) {
  return std::string(column % 2 == 0 ? "intercept" : "slope") + " of " + methodNames[column / 2];
}

std::string RowFieldsExpected(std::size_t methodCount) {
  return "name, latitude, longitude, and an intercept and a slope for each of the " + std::to_string(methodCount) +
         " methods of line 1";
}

// A line of nothing but spaces (one empty field), or of empty fields alone as
// spreadsheets write their empty rows: no reference station at 0,0 with zero
// coefficients.
bool IsBlankLine(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(), [](const std::string& field) { return field.empty(); });
}

// Opens the file and reads the method names of its line 1.
Expected<std::vector<std::string>> OpenAtMethodNames(const std::filesystem::path& path,
                                                     std::optional<FieldReader>& reader) {
  auto opened = FieldReader::Open(path);
  if (!opened) return Fail(0, "cannot be opened (" + opened.error().message + ")");
  reader.emplace(std::move(*opened));
  std::vector<std::string> fields;
  const auto read = ReadLineFields(*reader, fields);
  if (!read) return Fail(read.error());
  if (*read == LineRead::EndOfFile) return Fail(0, "the file is empty");
  return MethodNamesOf(fields, kStationHeads, 1);
}

}  // namespace

Expected<std::vector<std::string>> MethodNamesOf(const std::vector<std::string>& lineFields,
                                                 std::size_t leadingHeads, long line) {
  if (lineFields.size() < leadingHeads)
    return Fail(line, WrongFieldCount(lineFields.size(), "the heads line", leadingHeads,
                                      "Station, Latitude, Longitude, then the method names"));
  const std::size_t methodFields = lineFields.size() - leadingHeads;
  if (methodFields % 2 != 0)
    return Fail(line, std::to_string(methodFields) +
                          " fields follow the heads Station, Latitude, Longitude: an odd number, but each method "
                          "takes two (its name and an empty field)");
  std::vector<std::string> names;
  names.reserve(methodFields / 2);
  for (std::size_t i = leadingHeads; i < lineFields.size(); i += 2) names.push_back(lineFields[i]);
  return names;
}

Expected<LineRead> CoefficientRowReader::Next(CoefficientRow& row, std::vector<double>& coefficients) {
  const std::size_t expected = kStationHeads + 2 * methodNames_.size();
  for (;;) {
    const long line = reader_.Line();
    const auto read = ReadLineFields(reader_, fields_);
    if (!read || *read != LineRead::Fields) return read;
    if (IsBlankLine(fields_)) continue;
    if (fields_.size() != expected)
      return Fail(line,
                  WrongFieldCount(fields_.size(), "a station row", expected, RowFieldsExpected(methodNames_.size())));
    const ParsedNumber latitude = ParseNumber(fields_[1]);
    if (latitude.status == NumberStatus::Invalid) return Fail(line, NotANumber(2, "latitude", fields_[1]));
    const ParsedNumber longitude = ParseNumber(fields_[2]);
    if (longitude.status == NumberStatus::Invalid) return Fail(line, NotANumber(3, "longitude", fields_[2]));
    const std::size_t firstCoefficient = coefficients.size();
    for (std::size_t column = 0; column < 2 * methodNames_.size(); ++column) {
      const std::string& text = fields_[kStationHeads + column];
      const ParsedNumber value = ParseNumber(text);
      if (value.status == NumberStatus::Invalid) {
        coefficients.resize(firstCoefficient);
        return Fail(line, NotANumber(kStationHeads + column + 1, ColumnName(methodNames_, column), text));
      }
      coefficients.push_back(value.value);
    }
    row.line = line;
    row.name = fields_[0];
    row.latitudeDegrees = latitude.value;
    row.longitudeDegrees = longitude.value;
    return LineRead::Fields;
  }
}

Expected<CoefficientTable> ReadCoefficientTable(const std::filesystem::path& path) {
  std::optional<FieldReader> reader;
  auto names = OpenAtMethodNames(path, reader);
  if (!names) return Fail(names.error());
  CoefficientTable table;
  table.methodNames = std::move(*names);

  std::string headsOfLine2;
  const FieldReader::Status line2 = reader->ReadLine(headsOfLine2);
  if (line2 != FieldReader::Status::Ok && line2 != FieldReader::Status::EndOfFile)
    return Fail(2, std::string(FieldReader::Describe(line2)));
  CoefficientRowReader rows(*reader, table.methodNames);
  CoefficientRow row;
  Expected<LineRead> read = LineRead::Fields;
  while ((read = rows.Next(row, table.coefficients)) && *read == LineRead::Fields) {
    table.latitudesDegrees.push_back(row.latitudeDegrees);
    table.longitudesDegrees.push_back(row.longitudeDegrees);
    table.rowNames.emplace_back(TrimSpaces(row.name));
  }
  if (!read) return Fail(read.error());
  if (table.RowCount() == 0) return Fail(0, "no reference station rows (they begin on line 3)");
  return table;
}

Expected<std::vector<std::string>> ReadTableMethodNames(const std::filesystem::path& path) {
  std::optional<FieldReader> reader;
  return OpenAtMethodNames(path, reader);
}

Expected<std::vector<std::string>> ReadMethodNamesForList(const AppFolder& folder) {
  const fs::path tablePath = folder.CoefficientTable();
  const std::string shown = folder.Display(tablePath);
  std::string line1;
  {
    auto table = FieldReader::Open(tablePath);
    if (!table) return Fail(Problem{shown, 0, {}, "cannot be opened (" + table.error().message + ")"});
    const FieldReader::Status read = table->ReadLine(line1);
    if (read == FieldReader::Status::EndOfFile) return Fail(Problem{shown, 0, {}, "the file is empty"});
    if (read != FieldReader::Status::Ok) return Fail(Problem{shown, 1, {}, std::string(FieldReader::Describe(read))});
  }
  const fs::path scratch = folder.Scratch("out.txt");
  auto fields = SplitThroughScratch(scratch, line1);
  std::error_code ignored;
  fs::remove(scratch, ignored);
  if (!fields && !fields.error().file.empty())
    return Fail(Problem{folder.Display(scratch), 0, {},
                        "the scratch file cannot be used (" + fields.error().message + ")"});
  if (!fields) return Fail(Problem{shown, 1, {}, fields.error().message});

  auto names = MethodNamesOf(*fields, kStationHeads, 1);
  if (!names) return Fail(Problem{shown, names.error().line, {}, names.error().message});
  for (std::string& name : *names) name = std::string(TrimSpaces(name));
  return names;
}

}  // namespace sorvane
