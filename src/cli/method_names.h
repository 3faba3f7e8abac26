// Method names as a user types them on the command line: without regard to case, spaces
// and hyphens, and with the published spelling "Monteith" taken for the program's own
// "Montieth". A name that matches none is answered with the nearest one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorvane::cli {

struct MethodNameMatch {
  std::vector<std::size_t> indices;  // of the names that `given` names, in order
  std::vector<std::string> nearest;  // when none: the names most like it (several when tied)
};

MethodNameMatch MatchMethodName(std::string_view given, const std::vector<std::string>& names);

// "did you mean 'NAME'?" (or 'A' or 'B') for a match that found none, else nothing.
std::string Suggestion(const MethodNameMatch& match);

}  // namespace sorvane::cli
