// marrowby-cli export as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/stream_builder.h"
#include "support/temp_dir.h"
#include "written_streams.h"

TEST(ExportCli, WritesBothFormats) {
  TempDir dir;
  PgStream s;
  s.show(90000, pgTestImage(100, 200, 64, 20)).clear(180000);
  const std::string in = dir.write("in.sup", s.bytes());

  CliRun r = runCli("export " + in + " -o " + dir.file("bd.sup"));
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(splitPG(readFileBytes(dir.file("bd.sup"))).size(), 8u);

  r = runCli("--set Format=1 --set Frame=2 export " + in + " -o " + dir.file("hd.sup"));
  EXPECT_EQ(r.status, 0) << r.out;
  const auto hd = readFileBytes(dir.file("hd.sup"));
  ASSERT_GT(hd.size(), 2u);
  EXPECT_EQ(std::string(hd.begin(), hd.begin() + 2), "SP");

  // Without -o: the name of the source, the format and the rate, beside the source, or in the
  // output folder.
  r = runCli("--set Frame=3 export " + in);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_GT(readFileBytes(dir.file("in.BD.29.97.sup")).size(), 2u);
  std::filesystem::create_directory(dir.file("out"));
  r = runCli("--set Workdir=" + dir.file("out") + " export " + in);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(readFileBytes(dir.file("out/in.BD.23.976.sup")), readFileBytes(dir.file("bd.sup")));
}

TEST(ExportCli, Failures) {
  TempDir dir;
  CliRun r = runCli("export " + dir.write("empty.sup", std::string("PG")) + " -o " + dir.file("x.sup"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("No subtitles to export."), std::string::npos) << r.out;

  PgStream s;
  s.show(90000, pgTestImage(100, 200, 64, 20)).clear(180000);
  r = runCli("export " + dir.write("in.sup", s.bytes()) + " -o " + dir.file("missing/x.sup"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Cannot open file \"" + dir.file("missing/x.sup") + "\""), std::string::npos) << r.out;

  EXPECT_EQ(runCli("export").status, 2);
  EXPECT_EQ(runCli("export /nonexistent/in.sup").status, 1);
}
