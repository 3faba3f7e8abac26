// The layout that support/Coefficients.csv (the CoefficientTable) and every
// <name>_COEFFI.csv (a CoefficientFile) share:
//
//   line 1   Station,Latitude,Longitude, then per method its name and an empty field
//   line 2   ,,,Intercept,Slope,...  (heads only; not read)
//   line 3-  per station: name, latitude, longitude (degrees), then per method in the
//            order of line 1 its intercept and its slope
//
// Blank lines among the station rows (after the last one, say) are skipped; every
// other row must be one line of exactly 3 + 2N fields.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/app_folder.h"
#include "common/field_reader.h"
#include "common/line_fields.h"
#include "common/problem.h"

namespace sorvane {

// Name, latitude and longitude: the fields before the first method on every line.
inline constexpr std::size_t kStationHeads = 3;

// The method names of line 1, given its fields: after `leadingHeads` fields, one name
// and one dropped field per method. The problem, on `line`, when fewer fields than the
// leading heads or an odd number of fields follow them.
Expected<std::vector<std::string>> MethodNamesOf(const std::vector<std::string>& lineFields,
                                                 std::size_t leadingHeads, long line);

struct CoefficientRow {
  long line = 0;
  std::string name;  // as read: leading spaces skipped, trailing ones kept
  double latitudeDegrees = 0;
  double longitudeDegrees = 0;
};

// Reads the station rows of a table or file whose reader stands at line 3.
class CoefficientRowReader {
 public:
  CoefficientRowReader(FieldReader& reader, const std::vector<std::string>& methodNames)
      : reader_(reader), methodNames_(methodNames) {}

  // Fields: the row's head in `row` and its 2N coefficients appended to `coefficients`.
  // EndOfFile after the last row; the problem of a row that cannot be read exactly.
  Expected<LineRead> Next(CoefficientRow& row, std::vector<double>& coefficients);

 private:
  FieldReader& reader_;
  const std::vector<std::string>& methodNames_;
  std::vector<std::string> fields_;
};

// The CoefficientTable in memory, compact so that one pass over a column is one pass
// over a strided array: row i's 2N coefficients are coefficients[i * 2N ...], the
// intercept of method k (counted from 0) at 2k and its slope at 2k + 1.
struct CoefficientTable {
  std::vector<std::string> methodNames;  // N, in the order of line 1
  std::vector<double> latitudesDegrees;  // M reference rows, in file order
  std::vector<double> longitudesDegrees;
  std::vector<std::string> rowNames;  // trimmed, for messages; may be left empty
  std::vector<double> coefficients;  // M x 2N

  std::size_t MethodCount() const { return methodNames.size(); }
  std::size_t ColumnCount() const { return 2 * methodNames.size(); }
  std::size_t RowCount() const { return latitudesDegrees.size(); }
  double Coefficient(std::size_t row, std::size_t column) const { return coefficients[row * ColumnCount() + column]; }
};

// The whole table, or the problem (of the file the caller names) when it cannot be read
// exactly or holds no reference row.
Expected<CoefficientTable> ReadCoefficientTable(const std::filesystem::path& path);

// Only the method names of line 1.
Expected<std::vector<std::string>> ReadTableMethodNames(const std::filesystem::path& path);

// The method names of line 1 of support/Coefficients.csv, each trimmed, in table order:
// the methods a user chooses from (split through the scratch file out.txt, which is
// deleted). The problem names its file (the table, or the scratch file that cannot be
// used) when the table is missing or unreadable or its header is odd.
Expected<std::vector<std::string>> ReadMethodNamesForList(const AppFolder& folder);

}  // namespace sorvane
