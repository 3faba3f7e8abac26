// The scratch files of the ApplicationFolder (out.txt, temp.txt, tmp.txt): a header
// line is split into its fields by writing it to one of them and reading it back field
// by field, under the field rules of every input file. They are scratch, not results,
// so they are written directly rather than through a temporary name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/problem.h"

namespace sorvane {

// Creates or empties the scratch file; the problem says why it cannot.
Expected<void> CreateEmptyScratch(const std::filesystem::path& scratch);

// Writes `line` and a line end to `scratch` and reads it back as fields. The file is
// left in place. Two problems can stop it: the scratch file cannot be written or read
// back (the Problem names the scratch file), or the line itself breaks the field rules,
// an unclosed quote (the Problem names no file: the line belongs to the caller's file).
Expected<std::vector<std::string>> SplitThroughScratch(const std::filesystem::path& scratch, std::string_view line);

}  // namespace sorvane
