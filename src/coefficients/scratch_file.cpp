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

Expected<void> WriteScratch(const std::filesystem::path& scratch, std::string_view text) {
  auto fd = platform::CreateOrEmptyFile(scratch);
  if (!fd) return Fail(Problem{platform::Utf8(scratch), 0, {}, fd.error().message});
  const bool written = WriteAll(*fd, text);
  const int writeErrno = errno;
  if (!platform::CloseFile(*fd) && written) return Fail(Problem{platform::Utf8(scratch), 0, {}, std::strerror(errno)});
  if (!written) return Fail(Problem{platform::Utf8(scratch), 0, {}, std::strerror(writeErrno)});
  return {};
}

}  // namespace

Expected<void> CreateEmptyScratch(const std::filesystem::path& scratch) { return WriteScratch(scratch, {}); }

Expected<std::vector<std::string>> SplitThroughScratch(const std::filesystem::path& scratch, std::string_view line) {
  std::string text(line);
  text += "\r\n";
  if (auto written = WriteScratch(scratch, text); !written) return Fail(written.error());
  auto reader = FieldReader::Open(scratch);
  if (!reader) return Fail(Problem{platform::Utf8(scratch), 0, {}, reader.error().message});
  std::vector<std::string> fields;
  const auto read = ReadLineFields(*reader, fields);
  if (!read) return Fail(read.error());
  if (*read == LineRead::EndOfFile)
    return Fail(Problem{platform::Utf8(scratch), 0, {}, "the scratch file is empty after writing"});
  return fields;
}

}  // namespace sorvane
