// SRT files on the command line.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

TEST(SrtCli, InfoListsTheImportedCuesAsJson) {
  TempDir dir;
  const std::string srt = dir.write("movie.srt", std::string("1\r\n00:01:02,500 --> 00:01:04,000\r\nHello<i>there</i>\r\n"));
  const CliRun r = runCli("info --json " + srt, true);
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"format\": 3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"count\": 1"), std::string::npos);
  EXPECT_NE(r.out.find("\"startPts\": 5625000"), std::string::npos);
  // The import draws subtitle 1, whose area becomes the rows its letters ink: down to the
  // outline under the baseline of the single line.
  EXPECT_NE(r.out.find("\"y2\": 1011"), std::string::npos);
  EXPECT_NE(r.out.find("\"palCount\": 256"), std::string::npos);
  EXPECT_NE(r.out.find("\"text\": \"Hello<i>there</i>\""), std::string::npos);
}

TEST(SrtCli, InfoLogsTheImport) {
  TempDir dir;
  const CliRun r = runCli("info " + dir.write("a.srt", std::string("1\n00:00:01,000 --> 00:00:02,000\nHi\n")));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Loading a.srt\nText encoding: UTF-8.\n1 subtitles loaded."), std::string::npos) << r.out;
}

TEST(SrtCli, WritesToStandardOutputInTheChosenEncoding) {
  TempDir dir;
  const std::string srt = dir.write("in.srt", std::string("1\n00:00:01,000 --> 00:00:02,000\nCaf\xC3\xA9\n"));
  const std::string cp1252 = "1\r\n00:00:01,000 --> 00:00:02,000\r\nCaf\xE9\r\n\r\n";
  const struct {
    std::string args, out;
  } runs[] = {
      {"srt " + srt + " -o -", cp1252},
      {"srt " + srt, cp1252},
      {"--set SrtEncoding=1 srt " + srt + " -o -", "\xEF\xBB\xBF" "1\r\n00:00:01,000 --> 00:00:02,000\r\nCaf\xC3\xA9\r\n\r\n"},
  };
  for (const auto& r : runs) {
    const CliRun run = runCli(r.args, true);
    EXPECT_EQ(run.status, 0) << r.args;
    EXPECT_EQ(run.out, r.out) << r.args;
  }
  EXPECT_FALSE(std::filesystem::exists("-"));
}

TEST(SrtCli, AFileWithoutACueFails) {
  TempDir dir;
  const CliRun r = runCli("srt " + dir.write("empty.srt", std::string("just some words\n")));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "No subtitle in empty.srt: it holds no time line such as 00:00:01,000 --> 00:00:02,500.\n");
}
