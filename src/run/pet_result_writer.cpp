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

void PetResultWriter::WritePeriodColumns(const WeatherRecord& record) {
  std::string& out = file_.Buffer();
  out.append(record.PeriodKey);
  if (record.Period != PeriodType::Date) {
    out.push_back(',');
    AppendPeriodNumber(out, record.PeriodNumber);
  }
}

void PetResultWriter::WriteValue(double value) {
  std::string& out = file_.Buffer();
  out.push_back(',');
  if (std::isfinite(value)) AppendPetValue(out, value);
}

void PetResultWriter::EndLine() {
  file_.Buffer().append("\r\n");
  file_.FlushIfFull();
}

}  // namespace sorvane
