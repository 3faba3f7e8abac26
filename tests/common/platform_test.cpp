// Names through the platform layer: any bytes a name may hold pass unchanged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "common/data_file_list.h"
#include "common/field_reader.h"
#include "common/platform.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

TEST(Platform, NamesPassThroughPathsUnchanged) {
  // Latin, Greek and CJK letters, and bytes that are no UTF-8 at all (an old list in a
  // one-byte code page), which POSIX names may hold.
  for (const std::string name : {"STN1.csv", "\xc3\x91" "and\xc3\xba R\xc3\xado.csv", "\xce\x9a\xce\xad\xcf\x81.csv",
                                 "\xe6\xb0\x94\xe8\xb1\xa1.txt", "caf\xe9.csv"})
    EXPECT_EQ(platform::Utf8(platform::PathFromUtf8(name)), name);
}

TEST(Platform, ANonAsciiResultIsWrittenReadAndListedUnderItsName) {
  testing::TempAppFolder temp;
  const std::string name = "\xc3\x91" "and\xc3\xba.csv";
  const std::filesystem::path target = temp.Path("OUTPUT") / platform::PathFromUtf8(name);
  auto file = AtomicFile::Create(target);
  ASSERT_TRUE(file) << file.error().message;
  file->Write("a,b\r\n");
  ASSERT_TRUE(file->Commit());
  EXPECT_EQ(DataFilesIn(temp.Path("OUTPUT")), std::vector<std::string>{name});
  auto reader = FieldReader::Open(ChildIgnoringCase(temp.Path("OUTPUT"), name));
  ASSERT_TRUE(reader) << reader.error().message;
  EXPECT_EQ(reader->Next().text, "a");
  EXPECT_TRUE(platform::ProcessRuns(platform::ThisProcessId()));
}

}  // namespace
}  // namespace sorvane
