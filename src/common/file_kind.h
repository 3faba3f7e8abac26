// What a file that should be comma-separated text really is, told from its first bytes:
// the files a spreadsheet writes when "CSV" was not quite what was chosen. Each gets a
// message that names what the file is and how to save it, instead of a refusal of its
// first field that would point at the wrong thing.
#pragma once

#include <string>
#include <string_view>

#include "common/problem.h"

namespace sorvane {

// Nothing when the file whose first bytes are `beginning` may be comma-separated text,
// else the problem of the file as a whole that says what it is. `beginning` holds at
// least the first few lines of the file when the file has them.
Expected<void> ReadableAsCommaSeparatedText(std::string_view beginning);

// The same for a file that may also be separated by semicolons or tabs: only what is no
// text at all (a workbook, UTF-16).
Expected<void> ReadableAsText(std::string_view beginning);

// How a weather file separates its fields, told from its header line (line 4): by
// commas, or, when the header line holds no comma, by tabs or semicolons. Semicolons go
// with decimal commas, as a spreadsheet saves CSV where the comma is the decimal sign;
// tabs with decimal commas when line 3 (the coordinates) holds a comma.
struct FieldSeparators {
  char separator = ',';
  char decimalPoint = '.';
};
FieldSeparators SeparatorsOf(std::string_view beginning);

}  // namespace sorvane
