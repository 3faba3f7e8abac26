#include "common/data_file_list.h"

#include <algorithm>

#include "common/app_folder.h"
#include "common/field_reader.h"
#include "common/notices.h"
#include "common/platform.h"
#include "common/text.h"

namespace sorvane {

namespace fs = std::filesystem;

static ListedName Checked(long line, std::string_view name) {
  ListedName entry;
  entry.line = line;
  entry.name = TrimSpaces(name);
  entry.problem = entry.name.empty() ? std::string("an empty line names no file") : WhyNotBareName(entry.name);
  return entry;
}

Expected<std::vector<ListedName>> ReadDataFileList(const fs::path& list) {
  auto reader = FieldReader::Open(list);
  if (!reader) return Fail(reader.error());
  auto names = ReadDataFileList(*reader);
  if (!names) return Fail(Problem{platform::Utf8(list), names.error().line, {}, names.error().message});
  for (auto& entry : *names) entry.listName = platform::Utf8(list.filename());
  return names;
}

Expected<std::vector<ListedName>> ReadDataFileList(FieldReader& reader) {
  std::vector<ListedName> names;
  std::string line;
  std::size_t lastNonEmpty = 0;
  for (;;) {
    const long number = reader.Line();
    const auto status = reader.ReadLine(line);
    if (status == FieldReader::Status::EndOfFile) break;
    if (status != FieldReader::Status::Ok) return Fail(number, std::string(FieldReader::Describe(status)));
    names.push_back(Checked(number, line));
    if (!names.back().name.empty()) lastNonEmpty = names.size();
  }
  names.resize(lastNonEmpty);
  return names;
}

std::string ListedNameRefusal(const ListedName& entry) {
  const std::string what = entry.problem + (entry.name.empty() ? "" : " ('" + EscapedText(entry.name) + "')");
  if (entry.line > 0) return Located(entry.listName, entry.line, what + "; nothing is processed for it");
  return what + "; nothing is processed for it";
}

// A name given with a path separator is a path: the file is read where it is. Its
// last component must still name a file, and it names the result as a bare name would.
static ListedName GivenPath(std::string_view given) {
  ListedName entry;
  entry.path = fs::path(std::string(given));
  entry.name = entry.path.filename().string();
  entry.problem = WhyNotBareName(entry.name);
  if (!entry.problem.empty()) {
    entry.name = std::string(given);
    entry.problem = "a path that names no file";
  }
  return entry;
}

static bool HoldsPathSeparator(std::string_view name) {
  return name.find('/') != std::string_view::npos ||
         name.find(static_cast<char>(fs::path::preferred_separator)) != std::string_view::npos;
}

std::vector<ListedName> NamesGiven(const std::vector<std::string>& names) {
  std::vector<ListedName> entries;
  for (const auto& name : names) entries.push_back(HoldsPathSeparator(name) ? GivenPath(name) : Checked(0, name));
  return entries;
}

fs::path FileOf(const ListedName& entry, const fs::path& dataFolder) {
  return entry.path.empty() ? ChildIgnoringCase(dataFolder, entry.name) : entry.path;
}

std::vector<std::string> DataFilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = platform::Utf8(it->path().filename());
    if (!it->is_regular_file(ec) || name.starts_with(".")) continue;
    if (EndsWithIgnoringCase(name, ".csv") || EndsWithIgnoringCase(name, ".txt")) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace sorvane

#include "common/app_folder.h"
#include "common/atomic_file.h"

namespace sorvane {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The wildcard rules of a file listing: "*" stands for any run of characters, "?" for
// any one character, every other character for itself without regard to case.
bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t starAt = std::string_view::npos, nameAtStar = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      nameAtStar = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;  // let the last star swallow one more character
      n = ++nameAtStar;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// "*" and the last four characters of the trimmed name (all of it when shorter).
std::string ChosenPattern(std::string_view chosenDataFile) {
  const std::string_view trimmed = TrimSpaces(chosenDataFile);
  return "*" + std::string(trimmed.size() > 4 ? trimmed.substr(trimmed.size() - 4) : trimmed);
}

}  // namespace

Expected<void> WriteDataFileList(const AppFolder& folder, const fs::path& browsedFolder,
                                 std::string_view chosenDataFile) {
  const std::string pattern = ChosenPattern(chosenDataFile);
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(browsedFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = platform::Utf8(it->path().filename());
    std::error_code typeError;
    if (name.starts_with(".") || !it->is_regular_file(typeError)) continue;
    // A name with a line end in it cannot stand on one line of the list.
    if (name.find_first_of("\r\n") != std::string::npos) continue;
    if (MatchesWildcard(name, pattern)) names.push_back(name);
  }
  if (ec) return Fail(Problem{platform::Utf8(browsedFolder), 0, {}, "the folder cannot be listed (" + ec.message() + ")"});
  std::sort(names.begin(), names.end());  // a directory has no order of its own

  const fs::path list = folder.DataFileList();
  auto file = AtomicFile::Create(list);
  if (!file) return Fail(Problem{folder.Display(list), 0, {}, "cannot be written (" + file.error().message + ")"});
  for (const auto& name : names) {
    file->Buffer() += name;
    file->Buffer() += "\r\n";
    file->FlushIfFull();
  }
  if (auto committed = file->Commit(); !committed)
    return Fail(Problem{folder.Display(list), 0, {}, "cannot be written (" + committed.error().message + ")"});
  return {};
}

}  // namespace sorvane
