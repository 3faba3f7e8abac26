// The scratch files of the ApplicationFolder (out.txt, temp.txt, tmp.txt): a header
// line is split into its fields by writing it to one of them and reading it back field
// by field, under the field rules of every input file. They are scratch, not results,
// so they are written directly rather than through a temporary name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// Creates or empties the scratch file.
bool CreateEmptyScratch(const std::filesystem::path& scratch, std::string* error);

enum class ScratchSplit {
  Split,        // `fields` holds the line's fields
  WriteFailed,  // the scratch file could not be written or read; `error` says why
  Unreadable,   // the line itself breaks the field rules (an unclosed quote); `error` says how
};

// Writes `line` and a line end to `scratch` and reads it back into `fields`. The file is
// left in place.
ScratchSplit SplitThroughScratch(const std::filesystem::path& scratch, std::string_view line,
                                 std::vector<std::string>& fields, std::string* error);

}  // namespace sorvane
