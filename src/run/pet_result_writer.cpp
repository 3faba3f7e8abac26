#include "run/pet_result_writer.h"

#include "common/numbers.h"
#include "common/text.h"
#include "run/method_table.h"

namespace sorvane {

static std::string_view PeriodHeads(PeriodType period) {
  switch (period) {
    case PeriodType::Date: return "Date";
    case PeriodType::Week: return "Year,Week";
    case PeriodType::Month: return "Year,Month";
  }
  return "";
}

std::optional<PetResultWriter> PetResultWriter::Create(const std::filesystem::path& outputFolder,
                                                       std::string_view dataFileName, PeriodType period,
                                                       const std::vector<int>& methods, std::string* error) {
  auto file = AtomicFile::Create(outputFolder / ResultFileName(dataFileName, "_PET.csv"), error);
  if (!file) return std::nullopt;
  std::string& out = file->Buffer();
  out.append(PeriodHeads(period));
  for (int id : methods) {
    out.push_back(',');
    out.append(MethodEntryFor(id).name);
  }
  out.append("\r\n");
  return PetResultWriter(std::move(*file));
}

void PetResultWriter::WriteRow(const WeatherRecord& record, std::span<const double> values) {
  std::string& out = file_.Buffer();
  out.append(record.PeriodKey);
  if (record.Period != PeriodType::Date) {
    out.push_back(',');
    AppendPeriodNumber(out, record.PeriodNumber);
  }
  // The values are rendered into a buffer on the stack and appended at once: a row is
  // at most eight values, and most are a few characters each.
  constexpr std::size_t kChunk = 8;
  char text[kChunk * (kMostValueChars + 1) + 2];
  for (std::size_t first = 0; first < values.size(); first += kChunk) {
    char* end = text;
    for (std::size_t i = first; i < values.size() && i < first + kChunk; ++i) {
      *end++ = ',';
      if (std::isfinite(values[i])) end = WritePetValue(end, values[i]);
    }
    out.append(text, end);
  }
  out.append("\r\n");
  file_.FlushIfFull();
}

}  // namespace sorvane
