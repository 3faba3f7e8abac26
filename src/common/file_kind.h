// What a file that should be comma-separated text really is, told from its first bytes:
// the files a spreadsheet writes when "CSV" was not quite what was chosen. Each gets a
// message that names what the file is and how to save it, instead of a refusal of its
// first field that would point at the wrong thing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Why the file whose first bytes are `beginning` is no comma-separated text, or nullopt
// when it may be one. `beginning` holds at least the first few lines of the file when
// the file has them.
std::optional<std::string> WhyNotCommaSeparatedText(std::string_view beginning);

}  // namespace sorvane
