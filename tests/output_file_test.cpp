#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_error.h"
#include "app/output_file.h"
#include "support/temp_dir.h"

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommitted) {
  TempDir dir;
  const std::string target = dir.write("out.txt", std::string("old"));
  {
    OutputFile f(target);
    f.writeLine("new");
    // Not committed: the old file stays and no temporary file is left behind.
  }
  EXPECT_EQ(readFileBytes(target), std::vector<uint8_t>({'o', 'l', 'd'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  {
    OutputFile f(target);
    f.writeLine("new");
    f.commit();
  }
  EXPECT_EQ(readFileBytes(target), std::vector<uint8_t>({'n', 'e', 'w', '\r', '\n'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(OutputFile, MissingFolderNamesThePathAndReason) {
  try {
    OutputFile f("/nonexistent-folder/x.srt");
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"/nonexistent-folder/x.srt\". No such file or directory");
  }
}
