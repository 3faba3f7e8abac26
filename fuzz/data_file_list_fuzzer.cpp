// Any bytes as a DataFileList: every name must come out either bare (safe to join to
// its folder) or marked with a problem.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/data_file_list.h"
#include "common/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  FieldReader reader(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto names = ReadDataFileList(reader);
  if (!names) return 0;
  for (const auto& entry : *names) {
    if (!entry.problem.empty()) continue;
    // A name that passed must not leave its folder.
    if (entry.name.find('/') != std::string::npos || entry.name == ".." || entry.name == "." || entry.name.empty())
      std::abort();
  }
  return 0;
}
