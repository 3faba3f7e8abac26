// The field stream that every comma-separated input of the program is read through.
//
// A field ends at a comma or at a line end (CR LF, CR alone or LF alone); spaces before
// a field's text are skipped; a field that begins with a double quote runs to the
// closing quote, commas and line ends included. The reader reads the file in large
// blocks and hands out views into its buffer, so a file of any size is read in a
// fixed amount of memory; a field longer than kMaxFieldBytes is refused, never buffered.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

  // Reads `content`, which must outlive the reader.
  explicit FieldReader(std::string_view content);
  // Opens a file; nullopt (and `error` set) when it cannot be opened.
  static std::optional<FieldReader> Open(const std::filesystem::path& path, std::string* error);

  FieldReader(FieldReader&& other) noexcept;
  FieldReader& operator=(FieldReader&&) = delete;
  FieldReader(const FieldReader&) = delete;
  ~FieldReader();

  Field Next();

  // A whole physical line without its line end (commas and quotes are plain text
  // here). Ok, EndOfFile when no line is left, TooLong or ReadError.
  Status ReadLine(std::string& line);

  // Skips spaces and line ends; true when nothing else is left before the end of the
  // file (blank lines at the end of a file end its data like the end of the file).
  bool SkipBlankRest();

  // The line the next read begins on, counted from 1.
  long Line() const { return line_; }

  static std::string_view Describe(Status status);

 private:
  FieldReader() = default;
  bool Available();               // at least one unread byte, refilling as needed
  bool Refill(std::size_t& keepFrom);  // keeps [keepFrom, end), which moves to 0
  void ApplyPendingLineFeed();
  void ConsumeLineEnd(std::size_t at);  // the line end that starts at `at`
  Field ReadQuoted();

  int fd_ = -1;
  std::unique_ptr<char[]> owned_;
  const char* data_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool readError_ = false;
  bool pendingLineFeed_ = false;  // a CR ended the buffer: an LF that follows belongs to it
  bool afterComma_ = false;       // a comma was the last delimiter: one more field follows
  long line_ = 1;
};

}  // namespace sorvane
