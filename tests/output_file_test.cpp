#include "model/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>

#include "model/file_error.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {
size_t entries(const fs::path& dir) { return size_t(std::distance(fs::directory_iterator(dir), {})); }

void writeAll(const std::string& path, const std::string& text) {
  OutputFile f(path);
  f.write(text);
  f.commit();
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
}  // namespace

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommitted) {
  TempDir dir;
  const std::string target = dir.write("out.txt", std::string("old"));
  {
    OutputFile f(target);
    f.writeLine("new");
    // Not committed: the old file stays and no temporary file is left behind.
  }
  EXPECT_EQ(readText(target), "old");
  EXPECT_EQ(entries(dir.path()), 1u);
  {
    OutputFile f(target);
    f.writeLine("new");
    f.commit();
  }
  EXPECT_EQ(readText(target), "new\r\n");
  EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(OutputFile, MissingFolderNamesThePathAndReason) {
  try {
    OutputFile f("/nonexistent-folder/x.srt");
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"/nonexistent-folder/x.srt\". No such file or directory");
  }
}

// Each kind of target keeps its kind; a file that is replaced keeps its permissions.
TEST(OutputFile, TargetsKeepTheirKind) {
  TempDir dir;
  const std::string file = dir.write("file.txt", std::string("old"));
  ::chmod(file.c_str(), 0640);
  writeAll(file, "new");
  EXPECT_EQ(readText(file), "new");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));

  // Written through, relative and absolute, also through a link to a link; the links stay.
  fs::create_directory(dir.path() / "sub");
  const std::string real = dir.write("sub/real.txt", std::string("old"));
  fs::create_symlink("sub/real.txt", dir.path() / "link");
  fs::create_symlink(dir.path() / "link", dir.path() / "link2");
  writeAll(dir.file("link2"), "through");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link2"));
  EXPECT_EQ(readText(real), "through");
  EXPECT_EQ(entries(dir.path() / "sub"), 1u);

  // A link to a file still to be made makes that file.
  fs::create_symlink("sub/made.txt", dir.path() / "dangling");
  writeAll(dir.file("dangling"), "made");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling"));
  EXPECT_EQ(readText(dir.file("sub/made.txt")), "made");

  // A FIFO is written into, not replaced.
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto reader = std::async(std::launch::async, [&] { return readText(fifo); });
  writeAll(fifo, "piped");
  EXPECT_EQ(reader.get(), "piped");
  EXPECT_TRUE(fs::is_fifo(fifo));

  // A null device made in the folder (root only) swallows the text and stays a device.
  const std::string null = dir.file("null");
  if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    writeAll(null, "gone");
    EXPECT_TRUE(fs::is_character_file(null));
  }

  // A folder is refused and left alone.
  EXPECT_THROW(writeAll(dir.file("sub"), "x"), FileError);
  EXPECT_TRUE(fs::is_directory(dir.path() / "sub"));
}
