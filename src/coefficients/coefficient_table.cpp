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
std::optional<std::vector<std::string>> OpenAtMethodNames(const std::filesystem::path& path,
                                                          std::optional<FieldReader>& reader, Problem& problem) {
  auto opened = FieldReader::Open(path);
  if (!opened) {
    problem = AtLine(0, "cannot be opened (" + opened.error().message + ")");
    return std::nullopt;
  }
  reader.emplace(std::move(*opened));
  std::vector<std::string> fields;
  switch (ReadLineFields(*reader, fields, problem)) {
    case LineRead::EndOfFile:
      problem = AtLine(0, "the file is empty");
      return std::nullopt;
    case LineRead::Problem:
      return std::nullopt;
    case LineRead::Fields:
      break;
  }
  return MethodNamesOf(fields, kStationHeads, 1, problem);
}

}  // namespace

std::optional<std::vector<std::string>> MethodNamesOf(const std::vector<std::string>& lineFields,
                                                      std::size_t leadingHeads, long line, Problem& problem) {
  if (lineFields.size() < leadingHeads) {
    problem = AtLine(line, WrongFieldCount(lineFields.size(), "the heads line", leadingHeads,
                                     "Station, Latitude, Longitude, then the method names"));
    return std::nullopt;
  }
  const std::size_t methodFields = lineFields.size() - leadingHeads;
  if (methodFields % 2 != 0) {
    problem = AtLine(line, std::to_string(methodFields) +
                         " fields follow the heads Station, Latitude, Longitude: an odd number, but each method "
                         "takes two (its name and an empty field)");
    return std::nullopt;
  }
  std::vector<std::string> names;
  names.reserve(methodFields / 2);
  for (std::size_t i = leadingHeads; i < lineFields.size(); i += 2) names.push_back(lineFields[i]);
  return names;
}

LineRead CoefficientRowReader::Next(CoefficientRow& row, std::vector<double>& coefficients, Problem& problem) {
  const std::size_t expected = kStationHeads + 2 * methodNames_.size();
  for (;;) {
    const long line = reader_.Line();
    const LineRead read = ReadLineFields(reader_, fields_, problem);
    if (read != LineRead::Fields) return read;
    if (IsBlankLine(fields_)) continue;
    if (fields_.size() != expected) {
      problem = AtLine(line,
                 WrongFieldCount(fields_.size(), "a station row", expected, RowFieldsExpected(methodNames_.size())));
      return LineRead::Problem;
    }
    const ParsedNumber latitude = ParseNumber(fields_[1]);
    if (latitude.status == NumberStatus::Invalid) {
      problem = AtLine(line, NotANumber(2, "latitude", fields_[1]));
      return LineRead::Problem;
    }
    const ParsedNumber longitude = ParseNumber(fields_[2]);
    if (longitude.status == NumberStatus::Invalid) {
      problem = AtLine(line, NotANumber(3, "longitude", fields_[2]));
      return LineRead::Problem;
    }
    const std::size_t firstCoefficient = coefficients.size();
    for (std::size_t column = 0; column < 2 * methodNames_.size(); ++column) {
      const std::string& text = fields_[kStationHeads + column];
      const ParsedNumber value = ParseNumber(text);
      if (value.status == NumberStatus::Invalid) {
        coefficients.resize(firstCoefficient);
        problem = AtLine(line, NotANumber(kStationHeads + column + 1, ColumnName(methodNames_, column), text));
        return LineRead::Problem;
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

std::optional<CoefficientTable> ReadCoefficientTable(const std::filesystem::path& path, Problem& problem) {
  std::optional<FieldReader> reader;
  auto names = OpenAtMethodNames(path, reader, problem);
  if (!names) return std::nullopt;
  CoefficientTable table;
  table.methodNames = std::move(*names);

  std::string headsOfLine2;
  const FieldReader::Status line2 = reader->ReadLine(headsOfLine2);
  if (line2 != FieldReader::Status::Ok && line2 != FieldReader::Status::EndOfFile) {
    problem = AtLine(2, std::string(FieldReader::Describe(line2)));
    return std::nullopt;
  }
  CoefficientRowReader rows(*reader, table.methodNames);
  CoefficientRow row;
  LineRead read;
  while ((read = rows.Next(row, table.coefficients, problem)) == LineRead::Fields) {
    table.latitudesDegrees.push_back(row.latitudeDegrees);
    table.longitudesDegrees.push_back(row.longitudeDegrees);
    table.rowNames.emplace_back(TrimSpaces(row.name));
  }
  if (read == LineRead::Problem) return std::nullopt;
  if (table.RowCount() == 0) {
    problem = AtLine(0, "no reference station rows (they begin on line 3)");
    return std::nullopt;
  }
  return table;
}

std::optional<std::vector<std::string>> ReadTableMethodNames(const std::filesystem::path& path, Problem& problem) {
  std::optional<FieldReader> reader;
  return OpenAtMethodNames(path, reader, problem);
}

MethodNames ReadMethodNamesForList(const AppFolder& folder) {
  const fs::path tablePath = folder.CoefficientTable();
  const std::string shown = folder.Display(tablePath);
  std::string line1;
  {
    auto table = FieldReader::Open(tablePath);
    if (!table) return {{}, shown + ": cannot be opened (" + table.error().message + ")"};
    const FieldReader::Status read = table->ReadLine(line1);
    if (read == FieldReader::Status::EndOfFile) return {{}, shown + ": the file is empty"};
    if (read != FieldReader::Status::Ok) return {{}, Located(shown, 1, FieldReader::Describe(read))};
  }
  const fs::path scratch = folder.Scratch("out.txt");
  auto fields = SplitThroughScratch(scratch, line1);
  std::error_code ignored;
  fs::remove(scratch, ignored);
  if (!fields && !fields.error().file.empty())
    return {{}, folder.Display(scratch) + ": the scratch file cannot be used (" + fields.error().message + ")"};
  if (!fields) return {{}, Located(shown, 1, fields.error().message)};

  Problem problem;
  auto names = MethodNamesOf(*fields, kStationHeads, 1, problem);
  if (!names) return {{}, Located(shown, problem.line, problem.message)};
  for (std::string& name : *names) name = std::string(TrimSpaces(name));
  return {std::move(*names), {}};
}

}  // namespace sorvane
