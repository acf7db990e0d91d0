// "marrowby-cli ocr" and "marrowby-cli srt" as a user runs them.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/stream_builder.h"
#include "support/temp_dir.h"

TEST(CliOcr, UnreadableInputAndUsage) {
  EXPECT_EQ(runCli("ocr /nonexistent/x.sup").status, 1);
  EXPECT_EQ(runCli("srt /nonexistent/x.sup -o /tmp/never.srt").status, 1);
  EXPECT_EQ(runCli("ocr").status, 2);
  EXPECT_EQ(runCli("srt").status, 2);
}

TEST(CliOcr, DvdListIsRefused) {
  TempDir dir;
  SpStream dvd;
  dvd.packet(90000, spTestUnit(false, 10, 10, 40, 20, 50));
  const CliRun r = runCli("ocr " + dir.write("a.sup", dvd.bytes()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("OCR all is not available for this list."), std::string::npos);
}
