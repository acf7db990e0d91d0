// The command line as a user runs it.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

TEST(Cli, TextFileIsUnsupported) {
  TempDir dir;
  const CliRun r = runCli("info " + dir.write("notes.txt", std::string("hello\n")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Unsupported file format."), std::string::npos);
}

TEST(Cli, MissingFileFails) {
  const CliRun r = runCli("info /nonexistent/x.sup --json");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Cannot open file \"/nonexistent/x.sup\""), std::string::npos);
}

TEST(Cli, UsageErrors) {
  EXPECT_EQ(runCli("").status, 2);
  EXPECT_EQ(runCli("frobnicate").status, 2);
  EXPECT_EQ(runCli("--set Nope=1 info x.sup").status, 2);
  EXPECT_EQ(runCli("--set CutLevel=abc info x.sup").status, 2);
  EXPECT_EQ(runCli("--help").status, 0);
}

TEST(Cli, JsonOfAnEmptyStream) {
  TempDir dir;
  const CliRun r = runCli("--set Details=1 info --json " + dir.write("a.sup", std::string("PG")));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"count\": 0"), std::string::npos);
  EXPECT_NE(r.out.find("\"format\": 2"), std::string::npos);
}

TEST(Cli, OptionsGoBeforeOrAfterTheCommand) {
  TempDir dir;
  const std::string srt = dir.write("a.srt", std::string("1\n00:00:01,000 --> 00:00:02,000\nHi\n"));
  // Each --set takes one assignment: the file name after it stays the command's.
  for (const std::string args : {"--set Format=1 export ", "export --set Format=1 ", "export --set Details=0 --set Format=1 "}) {
    const std::string out = dir.file("out.sup");
    std::remove(out.c_str());
    EXPECT_EQ(runCli(args + srt + " -o " + out).status, 0) << args;
    const CliRun info = runCli("info --json " + out);
    EXPECT_NE(info.out.find("\"format\": 1"), std::string::npos) << args;  // HD DVD
  }
}
