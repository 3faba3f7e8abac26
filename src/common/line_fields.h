// Rows that must be exactly one line: the station lists, the coefficient tables and
// files, and the PET result files are all written one row per line, so a row with a
// field too few or too many is refused with its line rather than read across lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/field_reader.h"
#include "common/notices.h"
#include "common/problem.h"

namespace sorvane {

enum class LineRead { Fields, EndOfFile };

// Reads every field of the current line into `fields` (their strings are reused from
// call to call). EndOfFile when nothing is left; the problem, on its line, when the
// field stream breaks.
Expected<LineRead> ReadLineFields(FieldReader& reader, std::vector<std::string>& fields);

// The same, for a line whose first field `first` has already been read.
Expected<LineRead> ContinueLineFields(FieldReader& reader, const FieldReader::Field& first,
                                      std::vector<std::string>& fields);

// "2 fields where a station row has 3 (name, latitude, longitude)"
std::string WrongFieldCount(std::size_t found, std::string_view rowKind, std::size_t expected,
                            std::string_view expectedFields);

}  // namespace sorvane
