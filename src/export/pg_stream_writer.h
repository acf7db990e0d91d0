#pragma once
// Subtitles as display sets of a Blu-ray presentation graphics stream: per subtitle one set
// that shows it (composition, windows, palette, objects, end) and one that clears it
// (composition without objects, windows, end), each segment behind a "PG" header with its
// two 90 kHz time stamps.
#include <cstdint>
#include <vector>

#include "model/output_file.h"
#include "export/bit_buffer.h"
#include "export/encode_area.h"
#include "render/display_size.h"
#include "render/palette_state.h"
#include "render/work_images.h"

// Segment types.
enum PGSegment : uint8_t { pgPDS = 0x14, pgODS = 0x15, pgPCS = 0x16, pgWDS = 0x17, pgEND = 0x80 };

// A segment with its PG header never grows beyond this: objects longer than that are split
// into fragments.
inline constexpr uint32_t kPGMaxFragment = 65534;
// Time from the start of the palette to the first composition, besides the window's clearing.
inline constexpr uint32_t kPGCompositionDelay = 5832;

class PGStreamWriter {
 public:
  // Segments are assembled in streamBuf (grown when an object needs more room) and written
  // to `file` one at a time; rateCode is the composition's 4-bit frame-rate code, video the
  // size the compositions name.
  PGStreamWriter(std::vector<uint8_t>& streamBuf, OutputFile& file, uint8_t rateCode, DisplaySize video);

  // Writes one subtitle shown from startPts to endPts: one window and one object per area,
  // the picture read from img (pixels beyond the canvas are the palette's clear entry), the
  // colours from pal; the palette lists at least palCount entries. A subtitle whose end is
  // not known (endPts 0) stays shown until the next one replaces it: it gets no clearing set.
  void write(uint32_t startPts, uint32_t endPts, uint32_t palCount, const std::vector<EncodeArea>& areas,
             const PaletteState& pal, const IndexImage& img);

  uint16_t compNum = 0;  // number of the next composition segment

 private:
  struct ObjectCode {
    uint32_t begin, end;         // run-length bytes in rle_
    size_t cutsBegin, cutsEnd;   // offsets in cuts_ where a fragment may end
    uint16_t width, height;
  };

  void header(uint32_t pts, uint32_t dts);
  void flush();
  void composition(uint32_t pts, uint32_t dts, bool showing, const std::vector<EncodeArea>& areas);
  void windows(uint32_t pts, uint32_t dts, const std::vector<EncodeArea>& areas);
  void palette(uint32_t pts, uint32_t entries, const PaletteState& pal);
  void object(uint32_t pts, uint32_t dts, uint16_t id, const ObjectCode& code);
  void end(uint32_t pts);

  BitBuffer out_;
  OutputFile& file_;
  uint8_t rateCode_;
  DisplaySize video_;
  std::vector<uint8_t> rleBuf_;
  BitBuffer rle_{rleBuf_};
  std::vector<uint32_t> cuts_;
  std::vector<ObjectCode> objects_;
};
