// PetResultWriter: one PetResultFile, "<name less its last four characters>_PET.csv",
// written under a temporary name and put in place only when complete.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/atomic_file.h"
#include "methods/weather_record.h"

namespace sorvane {

class PetResultWriter {
 public:
  // Opens the file beside its final name in `outputFolder` and writes the header line;
  // `flagsEstimates` ends it with the column "Estimated".
  static Expected<PetResultWriter> Create(const std::filesystem::path& outputFolder, std::string_view dataFileName,
                                          PeriodType period, const std::vector<int>& methods,
                                          bool flagsEstimates = false);

  // One line: the record's period columns, then "," and each value (a value that is not
  // a finite number leaves its field empty), then, when the file flags estimates, ","
  // and the parameters `estimated` in the row, then the line end.
  void WriteRow(const WeatherRecord& record, std::span<const double> values, ParameterSet estimated = 0);

  // Everything written and closed; the file is not yet in place. A problem on a write error.
  Expected<void> Finish() { return file_.Finish(); }
  // Puts the finished file in place of any older result of the same name.
  Expected<void> Commit() { return file_.Commit(); }
  // For putting many results in place together (CommitTogether).
  AtomicFile& File() { return file_; }

  const std::filesystem::path& Target() const { return file_.Target(); }

 private:
  PetResultWriter(AtomicFile file, bool flagsEstimates) : file_(std::move(file)), flagsEstimates_(flagsEstimates) {}
  AtomicFile file_;
  bool flagsEstimates_ = false;
};

}  // namespace sorvane
