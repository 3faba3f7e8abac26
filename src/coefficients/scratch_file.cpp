#include "coefficients/scratch_file.h"

#include <cerrno>
#include <cstring>

#include "common/field_reader.h"
#include "common/line_fields.h"
#include "common/platform.h"

namespace sorvane {

namespace {

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const long written = platform::WriteSome(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool WriteScratch(const std::filesystem::path& scratch, std::string_view text, std::string* error) {
  const int fd = platform::CreateOrEmptyFile(scratch, error);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, text);
  if (!ok && error) *error = std::strerror(errno);
  if (!platform::CloseFile(fd) && ok) {
    ok = false;
    if (error) *error = std::strerror(errno);
  }
  return ok;
}

}  // namespace

bool CreateEmptyScratch(const std::filesystem::path& scratch, std::string* error) {
  return WriteScratch(scratch, {}, error);
}

ScratchSplit SplitThroughScratch(const std::filesystem::path& scratch, std::string_view line,
                                 std::vector<std::string>& fields, std::string* error) {
  std::string text(line);
  text += "\r\n";
  if (!WriteScratch(scratch, text, error)) return ScratchSplit::WriteFailed;
  auto reader = FieldReader::Open(scratch);
  if (!reader) {
    if (error) *error = reader.error().message;
    return ScratchSplit::WriteFailed;
  }
  Problem problem;
  switch (ReadLineFields(*reader, fields, problem)) {
    case LineRead::Fields:
      return ScratchSplit::Split;
    case LineRead::EndOfFile:
      if (error) *error = "the scratch file is empty after writing";
      return ScratchSplit::WriteFailed;
    case LineRead::Problem:
      break;
  }
  if (error) *error = problem.message;
  return ScratchSplit::Unreadable;
}

}  // namespace sorvane
