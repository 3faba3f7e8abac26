#include "run/pet_result_writer.h"

#include <algorithm>

#include "common/numbers.h"
#include "common/platform.h"
#include "common/text.h"
#include "run/estimate_missing.h"
#include "run/method_table.h"
#include "run/period_words.h"

namespace sorvane {

Expected<PetResultWriter> PetResultWriter::Create(const std::filesystem::path& outputFolder,
                                                  std::string_view dataFileName, PeriodType period,
                                                  const std::vector<int>& methods, bool flagsEstimates) {
  const auto name = platform::PathFromUtf8(ResultFileName(dataFileName, "_PET.csv"));
  auto file = AtomicFile::Create(outputFolder / name);
  if (!file) return Fail(file.error());
  std::string& out = file->Buffer();
  out.append(WordsOf(period).heads);
  for (int id : methods) {
    out.push_back(',');
    out.append(MethodEntryFor(id).name);
  }
  if (flagsEstimates) {
    out.push_back(',');
    out.append(kEstimatedHead);
  }
  out.append("\r\n");
  return PetResultWriter(std::move(*file), flagsEstimates);
}

void PetResultWriter::WriteRow(const WeatherRecord& record, std::span<const double> values, ParameterSet estimated) {
  // The row is put together on the stack and appended at once: a daily row is a short
  // date and at most eight values of a few characters each.
  constexpr std::size_t kShortKey = 16;
  char text[kShortKey + 8 * (kMostValueChars + 1) + 2];
  char* end = text;
  std::string& out = file_.Buffer();
  if (record.Period == PeriodType::Date && record.PeriodKey.size() <= kShortKey) {
    end = std::copy(record.PeriodKey.begin(), record.PeriodKey.end(), end);
  } else {
    out.append(record.PeriodKey);
    if (record.Period != PeriodType::Date) {
      out.push_back(',');
      AppendPeriodNumber(out, record.PeriodNumber);
    }
  }
  for (const double value : values) {
    if (static_cast<std::size_t>(text + sizeof text - end) < kMostValueChars + 1 + 2) {
      out.append(text, end);
      end = text;
    }
    *end++ = ',';
    if (std::isfinite(value)) end = WritePetValue(end, value);
  }
  if (flagsEstimates_) {
    out.append(text, end);
    out.push_back(',');
    out.append(EstimatedText(estimated));
    end = text;
  }
  *end++ = '\r';
  *end++ = '\n';
  out.append(text, end);
  file_.FlushIfFull();
}

}  // namespace sorvane
