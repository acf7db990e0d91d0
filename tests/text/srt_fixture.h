#pragma once
// A fresh program with a blank letter sheet of the right size (the glyph tables alone place
// and measure the letters) and a folder for the SRT files it imports.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/srt_loading.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

class SrtFixture : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};
  TempDir dir;

  SrtFixture() { app.letterSheet = GreyImage(kSheetMinWidth, kSheetMinHeight, kSheetBackground); }

  void import(const std::string& text) {
    app.srcName = dir.write("movie.srt", text);
    ReadSRT(app);
  }
};
