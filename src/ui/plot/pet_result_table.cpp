#include "ui/plot/pet_result_table.h"

#include <limits>

#include "common/numbers.h"
#include "common/text.h"

namespace sorvane::plot {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 40;  // a long field is named by its beginning
  return "'" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...'" : "'");
}

class TableReader {
 public:
  TableReader(FieldReader& file, ResultProblem* problem) : file_(file), problem_(problem) {}

  std::optional<PetResultTable> Read() {
    if (!ReadHeads()) return std::nullopt;
    for (;;) {
      const long line = file_.Line();
      const auto first = file_.Next();
      if (first.status == FieldReader::Status::EndOfFile) break;
      if (first.status != FieldReader::Status::Ok) {
        Fail(first.line, FieldReader::Describe(first.status));
        return std::nullopt;
      }
      if (first.EndsLine() && !first.quoted && TrimSpaces(first.text).empty()) {
        if (file_.SkipBlankRest()) break;  // blank lines at the end
        Fail(line, "a blank line in the middle of the data");
        return std::nullopt;
      }
      PetResultRow row;
      row.line = line;
      if (!ReadRow(first, row)) return std::nullopt;
      table_.rows.push_back(std::move(row));
    }
    return std::move(table_);
  }

 private:
  bool Fail(long line, std::string_view what) {
    *problem_ = {line, std::string(what)};
    return false;
  }

  bool ReadHeads() {
    std::string line;
    const auto status = file_.ReadLine(line);
    if (status == FieldReader::Status::EndOfFile) return Fail(1, "the file is empty");
    if (status != FieldReader::Status::Ok) return Fail(1, FieldReader::Describe(status));
    std::vector<std::string> heads;
    FieldReader fields(line);
    for (auto head = fields.Next(); head.status == FieldReader::Status::Ok; head = fields.Next()) {
      heads.emplace_back(TrimSpaces(head.text));
      if (head.end == FieldReader::End::FileEnd) break;
    }
    auto headIs = [&](std::size_t k, std::string_view word) { return heads.size() > k && EqualsIgnoringCase(heads[k], word); };
    if (headIs(0, "Date")) {
      table_.period = PeriodType::Date;
    } else if (headIs(0, "Year") && headIs(1, "Week")) {
      table_.period = PeriodType::Week;
    } else if (headIs(0, "Year") && headIs(1, "Month")) {
      table_.period = PeriodType::Month;
    } else {
      return Fail(1, "the header line begins with neither Date, Year,Week nor Year,Month: this is no PET result file");
    }
    periodFields_ = table_.period == PeriodType::Date ? 1 : 2;
    table_.methods.assign(heads.begin() + periodFields_, heads.end());
    return true;
  }

  std::string HeadOf(int position) const {
    if (position > periodFields_) return table_.methods[static_cast<std::size_t>(position - periodFields_ - 1)];
    if (table_.period == PeriodType::Date) return "Date";
    if (position == 1) return "Year";
    return table_.period == PeriodType::Week ? "Week" : "Month";
  }

  // A number of the row; nullopt (the problem set) when the field is not one.
  std::optional<ParsedNumber> Number(const FieldReader::Field& field, int position, long line) {
    const ParsedNumber number = ParseNumber(field.text);
    if (number.status != NumberStatus::Invalid) return number;
    Fail(line, "field " + std::to_string(position) + " (" + HeadOf(position) + ") " +
                   Quoted(TrimSpaces(field.text)) + " is not a number");
    return std::nullopt;
  }

  bool ReadPeriod(const FieldReader::Field& first, PetResultRow& row, bool& endsLine) {
    endsLine = first.EndsLine();
    if (table_.period == PeriodType::Date) {
      const auto date = ParseDate(TrimSpaces(first.text));
      if (!date)
        return Fail(row.line, "field 1 (Date) " + Quoted(TrimSpaces(first.text)) +
                                  " is not a date of the calendar written month/day/year");
      row.date = *date;
      return true;
    }
    const auto year = Number(first, 1, row.line);
    if (!year) return false;
    if (year->status == NumberStatus::Empty) return Fail(row.line, "field 1 (Year) is empty");
    row.year = year->value;
    if (endsLine) return Fail(row.line, "the row ends after field 1; field 2 (" + HeadOf(2) + ") is missing");
    const auto field = file_.Next();
    if (field.status != FieldReader::Status::Ok) return Fail(row.line, FieldReader::Describe(field.status));
    const auto number = Number(field, 2, row.line);
    if (!number) return false;
    if (number->status == NumberStatus::Empty) return Fail(row.line, "field 2 (" + HeadOf(2) + ") is empty");
    row.number = number->value;
    endsLine = field.EndsLine();
    return true;
  }

  bool ReadRow(const FieldReader::Field& first, PetResultRow& row) {
    bool endsLine = false;
    if (!ReadPeriod(first, row, endsLine)) return false;
    const int rowFields = periodFields_ + static_cast<int>(table_.methods.size());
    for (int position = periodFields_ + 1; position <= rowFields; ++position) {
      if (endsLine)
        return Fail(row.line, "the row ends after field " + std::to_string(position - 1) + "; the header line has " +
                                  std::to_string(rowFields) + " fields");
      const auto field = file_.Next();
      if (field.status != FieldReader::Status::Ok)
        return Fail(row.line, field.status == FieldReader::Status::EndOfFile ? "the file ends inside a row"
                                                                             : FieldReader::Describe(field.status));
      const auto number = Number(field, position, row.line);
      if (!number) return false;
      row.values.push_back(number->status == NumberStatus::Value ? number->value : kNoValue);
      endsLine = field.EndsLine();
    }
    if (!endsLine)
      return Fail(row.line, "the row holds more than the " + std::to_string(rowFields) + " fields of the header line");
    return true;
  }

  FieldReader& file_;
  ResultProblem* problem_;
  PetResultTable table_;
  int periodFields_ = 1;
};

}  // namespace

std::optional<PetResultTable> ReadPetResultTable(FieldReader& file, ResultProblem* problem) {
  return TableReader(file, problem).Read();
}

}  // namespace sorvane::plot
