#pragma once
// What the round-trip and decoder tests share: the sample streams, loading a stream into a
// fresh program state, and the part of the canvas an export encodes.
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "export/encode_area.h"
#include "support/test_host.h"

// Every ".sup" sample, sorted; empty when the samples folder is absent.
std::vector<std::string> sampleStreams();

struct Program {
  TestHost host;
  App app{host};
  // Reads a stream as "Read SUP" does, or imports an ".srt" file with the program's letter
  // sheet; false when it fails or yields no subtitle.
  bool load(const std::string& path);
};

// The parts of the canvas the export of subtitle s encodes: each drawn area for Blu-ray,
// the display area around them for HD DVD. Cut to the canvas.
std::vector<EncodeArea> encodedParts(const App& app, const TSUP& s, bool hd);
