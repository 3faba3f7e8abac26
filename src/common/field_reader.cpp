#include "common/field_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/platform.h"

namespace sorvane {

namespace {
constexpr std::size_t kBlockBytes = 256 * 1024;
constexpr std::size_t kLargestBuffer = FieldReader::kMaxFieldBytes + kBlockBytes;
}  // namespace

FieldReader::FieldReader(std::string_view content)
    : owned_(new char[content.size() + 1]), capacity_(content.size()), end_(content.size()), eof_(true) {
  std::memcpy(owned_.get(), content.data(), content.size());
  data_ = owned_.get();
  MarkEnd();
}

Expected<FieldReader> FieldReader::Open(const std::filesystem::path& path) {
  auto fd = platform::OpenForReading(path);
  if (!fd) return Fail(Problem{platform::Utf8(path), 0, {}, fd.error().message});
  FieldReader reader;
  reader.fd_ = *fd;
  // Left uninitialised: only the bytes read are ever looked at, and zeroing 256 KiB
  // for every file of a run of many small files costs more than reading them.
  reader.owned_.reset(new char[kBlockBytes + 1]);
  reader.data_ = reader.owned_.get();
  reader.capacity_ = kBlockBytes;
  reader.MarkEnd();
  return reader;
}

FieldReader::FieldReader(FieldReader&& other) noexcept
    : fd_(other.fd_),
      owned_(std::move(other.owned_)),
      data_(other.data_),
      capacity_(other.capacity_),
      pos_(other.pos_),
      end_(other.end_),
      eof_(other.eof_),
      readError_(other.readError_),
      pendingLineFeed_(other.pendingLineFeed_),
      afterComma_(other.afterComma_),
      separator_(other.separator_),
      decimalPoint_(other.decimalPoint_),
      fieldEnds_(other.fieldEnds_),
      line_(other.line_) {
  other.fd_ = -1;
  other.data_ = nullptr;
}

FieldReader::~FieldReader() {
  if (fd_ >= 0) platform::CloseFile(fd_);
}

bool FieldReader::Refill(std::size_t& keepFrom) {
  const bool more = MoveAndRead(keepFrom);
  MarkEnd();  // whichever way the buffer changed
  return more;
}

bool FieldReader::MoveAndRead(std::size_t& keepFrom) {
  if (eof_) return false;
  char* buffer = owned_.get();
  const std::size_t kept = end_ - keepFrom;
  if (keepFrom > 0) {
    std::memmove(buffer, buffer + keepFrom, kept);
    pos_ -= std::min(pos_, keepFrom);
    end_ = kept;
    keepFrom = 0;
  }
  if (end_ == capacity_) {
    if (capacity_ >= kLargestBuffer) return false;  // the caller sees the field is too long
    const std::size_t grown = std::min(capacity_ * 2, kLargestBuffer);
    std::unique_ptr<char[]> larger(new char[grown + 1]);
    std::memcpy(larger.get(), buffer, end_);
    owned_ = std::move(larger);
    buffer = owned_.get();
    data_ = buffer;
    capacity_ = grown;
  }
  for (;;) {
    const long got = platform::ReadSome(fd_, buffer + end_, capacity_ - end_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) readError_ = true;
    if (got <= 0) {
      eof_ = true;
      return false;
    }
    end_ += static_cast<std::size_t>(got);
    return true;
  }
}

bool FieldReader::Available() {
  if (pos_ < end_) return true;
  std::size_t keep = pos_;
  Refill(keep);
  return pos_ < end_;
}

void FieldReader::ApplyPendingLineFeed() {
  if (!pendingLineFeed_) return;
  pendingLineFeed_ = false;
  if (Available() && data_[pos_] == '\n') ++pos_;
}

void FieldReader::ConsumeLineEnd(std::size_t at) {
  ++line_;
  pos_ = at + 1;
  if (data_[at] != '\r') return;
  if (pos_ < end_) {
    if (data_[pos_] == '\n') ++pos_;
  } else if (!eof_) {
    pendingLineFeed_ = true;  // decided by the next read, so that views stay valid
  }
}

// Every field that NextInBuffer does not take: quoted, cut by the end of the buffer,
// after a CR that ended the buffer, or at the end of the file.
FieldReader::Field FieldReader::NextAnyWay() {
  ApplyPendingLineFeed();
  const bool afterComma = afterComma_;
  afterComma_ = false;
  for (;;) {
    if (!Available()) {
      if (readError_) return {Status::ReadError, {}, End::FileEnd, false, line_};
      if (afterComma) return {Status::Ok, {}, End::FileEnd, false, line_};
      return {Status::EndOfFile, {}, End::FileEnd, false, line_};
    }
    if (data_[pos_] != ' ') break;
    ++pos_;
  }
  if (data_[pos_] == '"') return ReadQuoted();

  Field field;
  field.line = line_;
  std::size_t start = pos_;
  std::size_t i = pos_;
  for (;;) {
    while (i < end_) {
      const char c = data_[i];
      if (c == separator_ || c == '\r' || c == '\n') break;
      ++i;
    }
    if (i < end_ || i - start > kMaxFieldBytes) break;
    const std::size_t scanned = i - start;
    const bool more = Refill(start);
    i = start + scanned;
    if (!more) break;
  }
  if (readError_) return {Status::ReadError, {}, End::FileEnd, false, field.line};
  if (i - start > kMaxFieldBytes) return {Status::TooLong, {}, End::FileEnd, false, field.line};
  field.status = Status::Ok;
  field.text = std::string_view(data_ + start, i - start);
  if (i == end_) {
    pos_ = end_;
    field.end = End::FileEnd;
  } else if (data_[i] == separator_) {
    pos_ = i + 1;
    field.end = End::Comma;
    afterComma_ = true;
  } else {
    ConsumeLineEnd(i);
    field.end = End::LineEnd;
  }
  return field;
}

FieldReader::Field FieldReader::ReadQuoted() {
  Field field;
  field.line = line_;
  field.quoted = true;
  std::size_t anchor = pos_;  // the opening quote; everything from here stays in the buffer
  std::size_t i = pos_ + 1;
  long linesInside = 0;
  auto refillKeepingAnchor = [&](std::size_t& index) {
    const std::size_t offset = index - anchor;
    const bool more = Refill(anchor);
    index = anchor + offset;
    return more;
  };
  for (;;) {
    while (i < end_ && data_[i] != '"') {
      if (data_[i] == '\r' || (data_[i] == '\n' && data_[i - 1] != '\r')) ++linesInside;
      ++i;
    }
    if (i < end_) break;
    if (i - anchor > kMaxFieldBytes) return {Status::TooLong, {}, End::FileEnd, true, field.line};
    if (!refillKeepingAnchor(i)) {
      if (readError_) return {Status::ReadError, {}, End::FileEnd, true, field.line};
      return {i - anchor > kMaxFieldBytes ? Status::TooLong : Status::UnclosedQuote, {}, End::FileEnd, true,
              field.line};
    }
  }
  const std::size_t textLength = i - anchor - 1;
  line_ += linesInside;
  std::size_t j = i + 1;
  for (;;) {
    while (j < end_ && data_[j] == ' ') ++j;
    if (j < end_ || j - anchor > kMaxFieldBytes) break;
    if (!refillKeepingAnchor(j)) break;
  }
  // Refills move the buffer; the text keeps its place after the anchor.
  field.text = std::string_view(data_ + anchor + 1, textLength);
  if (j == end_) {
    if (readError_) return {Status::ReadError, {}, End::FileEnd, true, field.line};
    pos_ = end_;
    field.end = End::FileEnd;
  } else if (data_[j] == separator_) {
    pos_ = j + 1;
    field.end = End::Comma;
    afterComma_ = true;
  } else if (data_[j] == '\r' || data_[j] == '\n') {
    ConsumeLineEnd(j);
    field.end = End::LineEnd;
  } else {
    pos_ = j;
    return {Status::TextAfterQuote, {}, End::FileEnd, true, field.line};
  }
  field.status = Status::Ok;
  return field;
}

FieldReader::Status FieldReader::ReadLine(std::string& line) {
  ApplyPendingLineFeed();
  afterComma_ = false;
  line.clear();
  if (!Available()) return readError_ ? Status::ReadError : Status::EndOfFile;
  std::size_t start = pos_;
  std::size_t i = pos_;
  for (;;) {
    while (i < end_ && data_[i] != '\r' && data_[i] != '\n') ++i;
    if (i < end_ || i - start > kMaxFieldBytes) break;
    const std::size_t scanned = i - start;
    const bool more = Refill(start);
    i = start + scanned;
    if (!more) break;
  }
  if (readError_) return Status::ReadError;
  if (i - start > kMaxFieldBytes) return Status::TooLong;
  line.assign(data_ + start, i - start);
  if (i == end_) {
    pos_ = end_;
  } else {
    ConsumeLineEnd(i);
  }
  return Status::Ok;
}

std::string_view FieldReader::Beginning() {
  Available();
  return std::string_view(data_ + pos_, end_ - pos_);
}

bool FieldReader::SkipBlankRest() {
  afterComma_ = false;
  for (;;) {
    ApplyPendingLineFeed();
    if (!Available()) return !readError_;
    const char c = data_[pos_];
    if (c == ' ') {
      ++pos_;
    } else if (c == '\r' || c == '\n') {
      ConsumeLineEnd(pos_);
    } else {
      return false;
    }
  }
}

bool FieldReader::RestOfLineIsEmptyFields() const {
  if (pendingLineFeed_) return false;
  for (std::size_t i = pos_; i < end_; ++i) {
    const char c = data_[i];
    if (c == '\r' || c == '\n') return true;
    if (c != ' ' && c != separator_) return false;
  }
  return eof_;
}

bool FieldReader::SkipEmptyRowsRest() {
  afterComma_ = false;
  for (;;) {
    ApplyPendingLineFeed();
    if (!Available()) return !readError_;
    const char c = data_[pos_];
    if (c == ' ' || c == separator_) {
      ++pos_;
    } else if (c == '\r' || c == '\n') {
      ConsumeLineEnd(pos_);
    } else {
      return false;
    }
  }
}

std::string_view FieldReader::Describe(Status status) {
  switch (status) {
    case Status::Ok: return "ok";
    case Status::EndOfFile: return "the file ends here";
    case Status::TooLong: return "a field or line longer than 1 MiB";
    case Status::UnclosedQuote: return "a double quote that is never closed";
    case Status::TextAfterQuote: return "text between a closing double quote and the next comma";
    case Status::ReadError: return "the file could not be read";
  }
  return "unknown";
}

}  // namespace sorvane
