// Replays files through a fuzz target's LLVMFuzzerTestOneInput without libFuzzer: the
// normal build compiles every target with it, so that a change to a reader's interface
// cannot leave the targets behind, and the tests replay the seed files (under the
// sanitizers too, in their build).
//
//   <target>_fuzzer FILE_OR_FOLDER...
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool Replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << file.string() << ": cannot be opened\n";
    return false;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> files;
  for (int k = 1; k < argc; ++k) {
    const fs::path given(argv[k]);
    if (!fs::is_directory(given)) {
      files.push_back(given);
      continue;
    }
    for (const auto& entry : fs::directory_iterator(given)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  if (files.empty()) {
    std::cerr << "no input to replay\n";
    return 2;
  }
  bool allOpened = true;
  for (const fs::path& file : files) allOpened = Replay(file) && allOpened;
  std::cout << files.size() << " inputs replayed\n";
  return allOpened ? 0 : 1;
}
