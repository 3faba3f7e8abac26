#include "common/file_kind.h"

#include <algorithm>

#include "common/text.h"

namespace sorvane {

namespace {

constexpr std::string_view kSaveAsCsv = "save it as CSV with commas and a decimal point";

// UTF-16 with its byte order mark, or without one: ASCII text then holds a NUL beside
// every letter, which no text file of this program's formats does in its first line.
bool LooksLikeUtf16(std::string_view beginning) {
  if (beginning.starts_with("\xFF\xFE") || beginning.starts_with("\xFE\xFF")) return true;
  const std::string_view start = beginning.substr(0, 64);
  if (start.size() < 4) return false;
  long evenNuls = 0, oddNuls = 0;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (start[i] == '\0') ++(i % 2 == 0 ? evenNuls : oddNuls);
  const long half = static_cast<long>(start.size() / 2);
  return evenNuls * 4 >= half * 3 || oddNuls * 4 >= half * 3;
}

// The lines of the file's header before the data rows: the station name, the
// coordinate heads, the coordinates and the header line.
std::string_view HeaderLines(std::string_view beginning) {
  std::size_t end = 0;
  for (int line = 0; line < 4 && end < beginning.size(); ++line) {
    end = LineEndIn(beginning, end);
    if (end == std::string_view::npos) return beginning;
    end += (beginning[end] == '\r' && end + 1 < beginning.size() && beginning[end + 1] == '\n') ? 2 : 1;
  }
  return beginning.substr(0, end);
}

// Line 2 onwards of the header: the station name on line 1 is free text.
bool SeparatedBy(std::string_view header, char separator) {
  const std::size_t lineEnd = LineEndIn(header);
  const std::string_view rest = lineEnd == std::string_view::npos ? std::string_view{} : header.substr(lineEnd);
  return rest.find(separator) != std::string_view::npos && rest.find(',') == std::string_view::npos;
}

bool SemicolonsWithDecimalCommas(std::string_view header) {
  const std::size_t lineEnd = LineEndIn(header);
  const std::string_view rest = lineEnd == std::string_view::npos ? std::string_view{} : header.substr(lineEnd);
  const auto count = [&](char c) { return std::count(rest.begin(), rest.end(), c); };
  // A decimal comma puts at most a few commas beside many semicolons.
  return count(';') >= 2 && count(';') > count(',');
}

}  // namespace

Expected<void> ReadableAsText(std::string_view beginning) {
  if (beginning.starts_with("PK\x03\x04"))
    return Fail("the file is an Excel workbook (a zip file), not text, whatever its name says; open it in the "
           "spreadsheet and " + std::string(kSaveAsCsv));
  if (beginning.starts_with("\xD0\xCF\x11\xE0"))
    return Fail("the file is an Excel 97-2003 workbook, not text, whatever its name says; open it in the spreadsheet "
           "and " + std::string(kSaveAsCsv));
  if (LooksLikeUtf16(beginning))
    return Fail("the file is UTF-16 text, as a spreadsheet saves \"Unicode text\"; " + std::string(kSaveAsCsv) +
                " (UTF-8 or plain ASCII)");
  return {};
}

Expected<void> ReadableAsCommaSeparatedText(std::string_view beginning) {
  if (auto text = ReadableAsText(beginning); !text) return text;
  const std::string_view header = HeaderLines(beginning);
  if (SeparatedBy(header, ';') || SemicolonsWithDecimalCommas(header))
    return Fail("the file is separated by semicolons, as a spreadsheet saves CSV with a decimal comma; " +
                std::string(kSaveAsCsv));
  if (SeparatedBy(header, '\t'))
    return Fail("the file is separated by tabs, as a spreadsheet saves tab-delimited text; " + std::string(kSaveAsCsv));
  return {};
}

namespace {

// Line `index` (from 0) of the header lines, without its line end.
std::string_view HeaderLine(std::string_view header, int index) {
  for (int line = 0; line < index; ++line) {
    const std::size_t end = LineEndIn(header);
    if (end == std::string_view::npos) return {};
    header.remove_prefix(end + ((header[end] == '\r' && end + 1 < header.size() && header[end + 1] == '\n') ? 2 : 1));
  }
  return header.substr(0, LineEndIn(header));
}

}  // namespace

FieldSeparators SeparatorsOf(std::string_view beginning) {
  const std::string_view header = HeaderLines(beginning);
  const std::string_view headerLine = HeaderLine(header, 3);
  if (headerLine.find(',') != std::string_view::npos) return {};
  const bool commaInCoordinates = HeaderLine(header, 2).find(',') != std::string_view::npos;
  if (headerLine.find('\t') != std::string_view::npos) return {'\t', commaInCoordinates ? ',' : '.'};
  if (headerLine.find(';') != std::string_view::npos) return {';', ','};
  return {};
}

}  // namespace sorvane
