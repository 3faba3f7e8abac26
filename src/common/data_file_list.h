// The DataFileList (dir.txt): one bare file name per line, naming the files a run
// processes in order. Every name is checked here so that no name from a file can
// reach outside its data folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/field_reader.h"

namespace sorvane {

struct ListedName {
  long line = 0;        // its line in the list; 0 for names given on the command line
  std::string name;     // as listed, spaces around it trimmed
  std::string problem;  // why it cannot be processed (an empty line, a path); empty when it can
  std::string listName; // the list it came from, for notices ("dir.txt"); empty for given names
  // A file named by its path on the command line, read where it is; empty for a bare
  // name, which is looked up in the data folder. `name` is then its last component.
  std::filesystem::path path;
};

// Reads the list; a problem when it cannot be opened or read. Blank lines at the end of
// the list end it; an empty line before them is an entry with a problem.
Expected<std::vector<ListedName>> ReadDataFileList(const std::filesystem::path& list);
Expected<std::vector<ListedName>> ReadDataFileList(FieldReader& list);

// The notice for a name that cannot be processed: where it was listed and why.
std::string ListedNameRefusal(const ListedName& entry);

// The same checks for names given directly: a bare name, or a path (it holds a path
// separator) to a file read where it is.
std::vector<ListedName> NamesGiven(const std::vector<std::string>& names);

// Where the file of `entry` is: its own path, or its bare name in `dataFolder` (whose
// entries are matched without regard to case).
std::filesystem::path FileOf(const ListedName& entry, const std::filesystem::path& dataFolder);

// Every .csv and .txt file of `folder`, in name order.
std::vector<std::string> DataFilesIn(const std::filesystem::path& folder);

class AppFolder;

// The DataFileList for a chosen data file: dir.txt is written afresh with the ordinary
// files (no folders, no hidden files) of `browsedFolder` whose names match "*" followed
// by the last four characters of the trimmed `chosenDataFile` ("*.csv" for a chosen
// "STN1.csv", "*" when none was chosen), compared without regard to case. The names are
// sorted, one per line, each line ended by CR LF. A problem, naming the folder or the
// list, when the folder cannot be listed or the list cannot be written.
Expected<void> WriteDataFileList(const AppFolder& folder, const std::filesystem::path& browsedFolder,
                                 std::string_view chosenDataFile);

}  // namespace sorvane
