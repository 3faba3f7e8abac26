// floor: the least work a PET run over the same files could do, as a yardstick.
//
//   floor OUTDIR PATH...
//
// PATH is a file or a folder (its .csv files, in name order). Reads each file in large blocks, splits every field at commas and line ends (CR LF,
// CR or LF), and writes the same fields back, comma-separated with CR LF line ends, to
// OUTDIR/<name>_FLOOR.csv in large blocks. Nothing is parsed or computed. The time this
// takes is the floor against which `sorvane-cli pet` is measured: the PET run reads and
// splits the same bytes and writes about as many fields, and computes on top.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadBlock = 256 * 1024;  // as the program's field reader
constexpr std::size_t kWriteBlock = 64 * 1024;  // as the program's result files

// The buffers are made once and serve every file, as a program that reads many files
// would keep them.
struct Buffers {
  std::vector<char> block = std::vector<char>(kReadBlock);
  std::string output;
  std::string field;
  Buffers() { output.reserve(kWriteBlock + kReadBlock); }
};

class Output {
 public:
  Output(int fd, std::string& buffer) : fd_(fd), buffer_(buffer) { buffer_.clear(); }
  std::string& Buffer() { return buffer_; }
  bool FlushIfFull() { return buffer_.size() < kWriteBlock || Flush(); }
  bool Flush() {
    const char* data = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
      const ssize_t written = ::write(fd_, data, left);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      data += written;
      left -= static_cast<std::size_t>(written);
    }
    buffer_.clear();
    return true;
  }

 private:
  int fd_;
  std::string& buffer_;
};

// Splits `path` into fields and writes them to `target`; the number of fields, or -1.
long long CopyFields(const fs::path& path, const fs::path& target, Buffers& buffers) {
  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    std::cerr << path.string() << ": " << std::strerror(errno) << '\n';
    return -1;
  }
  const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    std::cerr << target.string() << ": " << std::strerror(errno) << '\n';
    ::close(in);
    return -1;
  }
  Output output(out, buffers.output);
  std::vector<char>& block = buffers.block;
  std::string& field = buffers.field;  // a field cut by the end of a block waits here for its rest
  field.clear();
  long long fields = 0;
  bool afterCarriageReturn = false;
  bool ok = true;
  for (;;) {
    const ssize_t got = ::read(in, block.data(), block.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = false;
    if (got <= 0) break;
    std::string& text = output.Buffer();
    const char* data = block.data();
    std::size_t start = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(got); ++i) {
      const char c = data[i];
      if (c != ',' && c != '\r' && c != '\n') continue;
      const bool secondHalfOfCrLf = c == '\n' && afterCarriageReturn && i == start && field.empty();
      afterCarriageReturn = c == '\r';
      if (!secondHalfOfCrLf) {
        text.append(field);
        text.append(data + start, i - start);
        text.append(c == ',' ? "," : "\r\n");
        ++fields;
      }
      field.clear();
      start = i + 1;
    }
    if (start < static_cast<std::size_t>(got)) {
      field.append(data + start, static_cast<std::size_t>(got) - start);
      afterCarriageReturn = false;
    }
    ok = output.FlushIfFull() && ok;
  }
  if (!field.empty()) {
    output.Buffer().append(field);
    ++fields;
  }
  ok = output.Flush() && ok;
  ok = ::close(out) == 0 && ok;
  ::close(in);
  if (!ok) {
    std::cerr << path.string() << ": reading or writing failed\n";
    return -1;
  }
  return fields;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: floor OUTDIR PATH...\n";
    return 2;
  }
  const fs::path outFolder = argv[1];
  std::vector<fs::path> files;
  for (int i = 2; i < argc; ++i) {
    const fs::path path = argv[i];
    if (!fs::is_directory(path)) {
      files.push_back(path);
      continue;
    }
    std::vector<fs::path> inFolder;
    for (const auto& entry : fs::directory_iterator(path))
      if (entry.path().extension() == ".csv") inFolder.push_back(entry.path());
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  long long total = 0;
  Buffers buffers;
  for (const fs::path& path : files) {
    const long long fields = CopyFields(path, outFolder / (path.stem().string() + "_FLOOR.csv"), buffers);
    if (fields < 0) return 1;
    total += fields;
  }
  char count[24];
  const auto [end, ec] = std::to_chars(count, count + sizeof count, total);
  (void)ec;
  std::cout << std::string_view(count, static_cast<std::size_t>(end - count)) << " fields\n";
  return 0;
}
