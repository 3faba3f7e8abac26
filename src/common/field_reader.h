// The field stream that every comma-separated input of the program is read through.
//
// A field ends at a comma or at a line end (CR LF, CR alone or LF alone); spaces before
// a field's text are skipped; a field that begins with a double quote runs to the
// closing quote, commas and line ends included. The reader reads the file in large
// blocks and hands out views into its buffer, so a file of any size is read in a
// fixed amount of memory; a field longer than kMaxFieldBytes is refused, never buffered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/problem.h"
#include "common/numbers.h"

namespace sorvane {

class FieldReader {
 public:
  static constexpr std::size_t kMaxFieldBytes = std::size_t{1} << 20;

  enum class Status {
    Ok,
    EndOfFile,      // nothing left to read
    TooLong,        // a field or line longer than kMaxFieldBytes
    UnclosedQuote,  // a double quote that the file never closes
    TextAfterQuote, // `"ab"cd,`: text between a closing quote and the comma
    ReadError,
  };

  enum class End { Comma, LineEnd, FileEnd };

  struct Field {
    Status status = Status::EndOfFile;
    std::string_view text;  // valid until the next call on this reader
    End end = End::FileEnd;
    bool quoted = false;
    long line = 0;  // the line the field begins on, counted from 1

    bool EndsLine() const { return end != End::Comma; }
  };

  // Reads a copy of `content`.
  explicit FieldReader(std::string_view content);
  // Opens a file; the problem says why it cannot be opened.
  static Expected<FieldReader> Open(const std::filesystem::path& path);

  FieldReader(FieldReader&& other) noexcept;
  FieldReader& operator=(FieldReader&&) = delete;
  FieldReader(const FieldReader&) = delete;
  ~FieldReader();

  Field Next() {
    Field field;
    return NextInBuffer(field) ? field : NextAnyWay();
  }

  // The next field read as a number, in one pass over its bytes, when it is empty or a
  // short decimal (see ShortDecimalValue), unquoted, and lies whole in the buffer with
  // its comma or line end: most fields of most rows. False, with nothing consumed,
  // otherwise; Next and ParseNumber then read the field and give the same number.
  struct ShortNumber {
    double value = 0;  // 0 for an empty field
    bool empty = false;
    bool endsLine = false;
  };
  bool NextShortNumber(ShortNumber& number);

  // A whole physical line without its line end (commas and quotes are plain text
  // here). Ok, EndOfFile when no line is left, TooLong or ReadError.
  Status ReadLine(std::string& line);

  // The unread bytes in the buffer, reading the first block when nothing was read yet:
  // before the first read, the file's first bytes (up to a block of 256 KiB).
  std::string_view Beginning();

  // Skips spaces and line ends; true when nothing else is left before the end of the
  // file (blank lines at the end of a file end its data like the end of the file).
  bool SkipBlankRest();

  // Fields end at `separator` instead of a comma, and the short numbers of
  // NextShortNumber take `decimalPoint` for their point: a file saved with semicolons
  // and decimal commas, or with tabs. Set before the first field.
  void UseSeparators(char separator, char decimalPoint) {
    separator_ = separator;
    decimalPoint_ = decimalPoint;
    fieldEnds_ = FieldEndsFor(separator);
  }
  char Separator() const { return separator_; }
  char DecimalPoint() const { return decimalPoint_; }

  // True when the rest of the current line, as far as the buffer holds it, is nothing
  // but separators and spaces up to its line end: a row of empty fields. Reads nothing.
  bool RestOfLineIsEmptyFields() const;

  // Skips separators, spaces and line ends; true when nothing else is left before the
  // end of the file (rows of empty fields at its end, as a spreadsheet saves them).
  bool SkipEmptyRowsRest();

  // The line the next read begins on, counted from 1.
  long Line() const { return line_; }

  static std::string_view Describe(Status status);

 private:
  FieldReader() = default;
  bool Available();               // at least one unread byte, refilling as needed
  bool Refill(std::size_t& keepFrom);  // keeps [keepFrom, end), which moves to 0
  bool MoveAndRead(std::size_t& keepFrom);  // Refill without the sentinel
  void ApplyPendingLineFeed();
  void ConsumeLineEnd(std::size_t at);  // the line end that starts at `at`
  Field ReadQuoted();
  // The byte after the unread ones is always a line feed, a sentinel: it is no space, no
  // digit, no sign, no point and no quote, and ends a field, so the loops of the usual
  // field stop at it without asking for the end of the buffer at every byte, and then
  // find themselves at end_.
  void MarkEnd() { owned_[end_] = '\n'; }
  bool NextInBuffer(Field& field);
  Field NextAnyWay();

  int fd_ = -1;
  std::unique_ptr<char[]> owned_;
  const char* data_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool readError_ = false;
  bool pendingLineFeed_ = false;  // a CR ended the buffer: an LF that follows belongs to it
  bool afterComma_ = false;       // a separator was the last delimiter: one more field follows
  // The bytes that end an unquoted field, as bits of a mask: the separator and the two
  // line end bytes, all below 64 (a comma, a semicolon or a tab). One shift and test per
  // byte, as a compiler makes of three comparisons with constants.
  static constexpr std::uint64_t FieldEndsFor(char separator) {
    return std::uint64_t{1} << static_cast<unsigned char>(separator) | std::uint64_t{1} << '\r' |
           std::uint64_t{1} << '\n';
  }
  static bool EndsField(char c, std::uint64_t fieldEnds) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 64 && ((fieldEnds >> byte) & 1) != 0;
  }

  char separator_ = ',';
  char decimalPoint_ = '.';
  std::uint64_t fieldEnds_ = FieldEndsFor(',');
  long line_ = 1;
};

// The usual field lies whole in the buffer, unquoted, with its comma or line end: handed
// out without a refill. Everything else is left to NextAnyWay.
inline bool FieldReader::NextInBuffer(Field& field) {
  if (pendingLineFeed_ || readError_) return false;
  const char separator = separator_;
  const std::uint64_t fieldEnds = fieldEnds_;
  std::size_t i = pos_;
  while (data_[i] == ' ') ++i;  // the sentinel stops these loops
  if (i == end_ || data_[i] == '"') return false;
  const std::size_t start = i;
  while (!EndsField(data_[i], fieldEnds)) ++i;
  if (i == end_ || i - start > kMaxFieldBytes) return false;
  field = {Status::Ok, std::string_view(data_ + start, i - start), End::Comma, false, line_};
  afterComma_ = data_[i] == separator;
  if (afterComma_) {
    pos_ = i + 1;
  } else {
    ConsumeLineEnd(i);
    field.end = End::LineEnd;
  }
  return true;
}

inline bool FieldReader::NextShortNumber(ShortNumber& number) {
  if (pendingLineFeed_ || readError_) return false;
  const char* const data = data_;
  const std::size_t end = end_;
  const char separator = separator_;
  auto digitAt = [data](std::size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(data[at])) - '0'; };
  // The sentinel after the buffer's bytes stops every loop here, and i == end then.
  std::size_t i = pos_;
  while (data[i] == ' ') ++i;
  const std::size_t start = i;
  bool negative = false;
  if (data[i] == '-' || data[i] == '+') negative = data[i++] == '-';
  std::uint64_t digits = 0;  // wraps harmlessly on long texts, which are refused below
  const std::size_t wholeStart = i;
  for (unsigned digit; (digit = digitAt(i)) <= 9; ++i) digits = digits * 10 + digit;
  std::size_t digitCount = i - wholeStart;
  std::size_t decimals = 0;
  if (data[i] == decimalPoint_) {
    const std::size_t decimalsStart = ++i;
    for (unsigned digit; (digit = digitAt(i)) <= 9; ++i) digits = digits * 10 + digit;
    decimals = i - decimalsStart;
    digitCount += decimals;
  }
  while (data[i] == ' ') ++i;
  if (i == end || i - start > kMaxFieldBytes) return false;
  const char delimiter = data[i];
  if (!EndsField(delimiter, fieldEnds_)) return false;
  const bool empty = i == start;
  if (!empty && (digitCount == 0 || digitCount > kMostShortDecimalDigits)) return false;
  number.value = empty ? 0 : ShortDecimalValue(digits, static_cast<int>(decimals), negative);
  number.empty = empty;
  afterComma_ = delimiter == separator;
  number.endsLine = !afterComma_;
  if (afterComma_) {
    pos_ = i + 1;
  } else {
    ConsumeLineEnd(i);
  }
  return true;
}

}  // namespace sorvane
