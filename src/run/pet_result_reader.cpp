#include "run/pet_result_reader.h"

#include "common/numbers.h"
#include "common/text.h"
#include "run/estimate_missing.h"
#include "run/period_words.h"

namespace sorvane {

namespace {

std::string RowFields(PeriodType period, bool flagsEstimates) {
  const std::string key = period == PeriodType::Date ? "the date" : "the year, the " + std::string(WordsOf(period).span);
  if (flagsEstimates) return key + ", a value for each method column and the parameters estimated";
  return key + " and a value for each method column";
}

}  // namespace

Expected<PetResultReader::HeadsRead> PetResultReader::ReadPeriodHeads() {
  const FieldReader::Field first = fields_.Next();
  if (first.status == FieldReader::Status::EndOfFile) return Fail(0, "the file is empty");
  if (first.status != FieldReader::Status::Ok) return Fail(1, std::string(FieldReader::Describe(first.status)));
  headsEndLine1_ = first.EndsLine();
  const std::string_view head = TrimSpaces(first.text);
  if (EqualsIgnoringCase(head, "Date")) {
    period_ = PeriodType::Date;
    return HeadsRead::Period;
  }
  if (EqualsIgnoringCase(head, "Year") && !headsEndLine1_) {
    // A second head that cannot be read is no period head either.
    const FieldReader::Field second = fields_.Next();
    headsEndLine1_ = second.EndsLine();
    for (PeriodType period : {PeriodType::Week, PeriodType::Month})
      if (second.status == FieldReader::Status::Ok && EqualsIgnoringCase(TrimSpaces(second.text), WordsOf(period).numberHead)) {
        period_ = period;
        return HeadsRead::Period;
      }
  }
  return HeadsRead::NoPeriodHeads;
}

Problem PetResultReader::NoPeriodHeadsProblem() {
  return AtLine(1, "the header line begins with neither Date, Year,Week nor Year,Month: this is no PET result file");
}

Expected<void> PetResultReader::ReadHeads() {
  const auto heads = ReadPeriodHeads();
  if (!heads) return Fail(heads.error());
  if (*heads == HeadsRead::NoPeriodHeads) return Fail(NoPeriodHeadsProblem());
  return ReadMethodHeads();
}

Expected<std::string> PetResultReader::ReadMethodHeadsText() {
  std::string rest;
  if (!headsEndLine1_) {
    const FieldReader::Status read = fields_.ReadLine(rest);
    if (read != FieldReader::Status::Ok && read != FieldReader::Status::EndOfFile)
      return Fail(1, std::string(FieldReader::Describe(read)));
  }
  return std::string(TrimSpaces(rest));
}

void PetResultReader::SetMethodHeads(std::vector<std::string> heads) {
  flagsEstimates_ = !heads.empty() && TrimSpaces(heads.back()) == kEstimatedHead;
  if (flagsEstimates_) heads.pop_back();
  methods_ = std::move(heads);
}

Expected<void> PetResultReader::ReadMethodHeads() {
  const auto text = ReadMethodHeadsText();
  if (!text) return Fail(text.error());
  std::vector<std::string> heads;
  if (headsEndLine1_) {
    SetMethodHeads(std::move(heads));
    return {};
  }
  // A comma after the period heads is followed by a head, be it empty.
  FieldReader fields(*text);
  const auto read = ReadLineFields(fields, heads);
  if (!read) return Fail(1, read.error().message);
  if (*read == LineRead::EndOfFile) heads.emplace_back();
  SetMethodHeads(std::move(heads));
  return {};
}

Expected<void> PetResultReader::ReadPeriod(PetResultRow& row) {
  row.periodKey = line_[0];
  if (period_ == PeriodType::Date) return {};
  const std::string_view heads[2] = {"Year", WordsOf(period_).numberHead};
  double* const targets[2] = {&row.year, &row.number};
  for (std::size_t k = 0; k < 2; ++k) {
    const std::string_view text = TrimSpaces(line_[k]);
    const ParsedNumber number = ParseNumber(text);
    if (number.status == NumberStatus::Invalid) return Fail(row.line, NotANumber(k + 1, heads[k], text));
    if (number.status == NumberStatus::Empty && !(k == 1 && emptyNumbersAllowed_))
      return Fail(row.line, "field " + std::to_string(k + 1) + " (" + std::string(heads[k]) + ") is empty");
    *targets[k] = number.value;
  }
  return {};
}

Expected<PetResultReader::Step> PetResultReader::NextRow(PetResultRow& row) {
  const long lineBefore = fields_.Line();
  if (fields_.SkipBlankRest()) return Step::End;
  if (fields_.Line() != lineBefore) return Fail(lineBefore, "a blank line between data lines");
  row.line = fields_.Line();
  const auto read = ReadLineFields(fields_, line_);
  if (!read) return Fail(read.error());
  if (*read == LineRead::EndOfFile) return Step::End;
  const std::size_t periodFields = static_cast<std::size_t>(PeriodFields());
  const std::size_t expected = periodFields + methods_.size() + (flagsEstimates_ ? 1 : 0);
  if (line_.size() != expected)
    return Fail(row.line, WrongFieldCount(line_.size(), "a data line", expected, RowFields(period_, flagsEstimates_)));
  if (auto period = ReadPeriod(row); !period) return Fail(period.error());
  row.values.resize(methods_.size());
  for (std::size_t c = 0; c < methods_.size(); ++c) {
    const std::string& text = line_[periodFields + c];
    const ParsedNumber value = ParseNumber(text);
    if (value.status == NumberStatus::Invalid)
      return Fail(row.line, NotANumber(periodFields + c + 1, methods_[c], text));
    row.values[c] = value.status == NumberStatus::Value ? std::optional<double>(value.value) : std::nullopt;
  }
  if (flagsEstimates_) row.estimated = TrimSpaces(line_.back());
  return Step::Row;
}

}  // namespace sorvane
