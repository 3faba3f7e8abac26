#include "cli/method_names.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "common/text.h"

namespace sorvane::cli {

namespace {

// Upper-cased, without spaces, hyphens or underscores, "MONTEITH" read as "MONTIETH".
std::string Comparable(std::string_view name) {
  std::string text;
  for (const char c : ToUpperAscii(name))
    if (c != ' ' && c != '-' && c != '_') text += c;
  constexpr std::string_view kPublished = "MONTEITH", kOurs = "MONTIETH";
  for (auto at = text.find(kPublished); at != std::string::npos; at = text.find(kPublished, at))
    text.replace(at, kPublished.size(), kOurs);
  return text;
}

// Edits (a letter added, removed or changed) that turn `a` into `b`; with `withinB`, into
// the part of `b` it is nearest to ("PENMAN" is within "MODIFIEDPENMAN" with no edit).
std::size_t EditDistance(std::string_view a, std::string_view b, bool withinB) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = withinB ? 0 : j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return withinB ? *std::min_element(row.begin(), row.end()) : row[b.size()];
}

}  // namespace

MethodNameMatch MatchMethodName(std::string_view given, const std::vector<std::string>& names) {
  MethodNameMatch match;
  const std::string wanted = Comparable(given);
  // The nearest names are those a part of which needs the fewest edits, then those that
  // need the fewest as a whole: "Hargraves" suggests "Hargreaves", "Penman" both Penmans.
  std::pair<std::size_t, std::size_t> fewest{std::numeric_limits<std::size_t>::max(), 0};
  for (std::size_t k = 0; k < names.size(); ++k) {
    const std::string name = Comparable(names[k]);
    if (name.empty()) continue;
    if (name == wanted) match.indices.push_back(k);
    const std::pair edits{EditDistance(wanted, name, true), EditDistance(wanted, name, false)};
    if (edits < fewest) match.nearest.clear();
    if (edits <= fewest) {
      fewest = edits;
      match.nearest.emplace_back(TrimSpaces(names[k]));
    }
  }
  // A name like all of them alike (a letter or two) suggests none.
  if (!match.indices.empty() || match.nearest.size() > 2) match.nearest.clear();
  return match;
}

std::string Suggestion(const MethodNameMatch& match) {
  if (match.nearest.empty()) return {};
  std::string text = "did you mean '" + match.nearest.front() + "'";
  for (std::size_t k = 1; k < match.nearest.size(); ++k)
    text += (k + 1 == match.nearest.size() ? " or '" : ", '") + match.nearest[k] + "'";
  return text + "?";
}

}  // namespace sorvane::cli
