#include "export/pg_stream_writer.h"

#include <algorithm>

#include "export/bd_runs.h"
#include "export/written_colour.h"

namespace {
constexpr uint16_t kTagPG = 0x5047;
constexpr uint8_t kEpochStart = 0x80;
constexpr uint8_t kNormalState = 0x00;
constexpr uint8_t kFirstInSequence = 0x80;
constexpr uint8_t kLastInSequence = 0x40;
// Bytes of an object fragment before its run-length data, PG header included.
constexpr uint32_t kFirstFragmentHead = 24;
constexpr uint32_t kSegmentHead = 13;  // PG header, type and length

// Time to clear the window and to decode the object of an area of this many pixels.
uint32_t clearTime(uint64_t pixels) { return uint32_t((pixels + 175) / 350); }
uint32_t decodeTime(uint64_t pixels) { return uint32_t(pixels * 9 / 1600 + 1); }
uint64_t pixelsOf(const EncodeArea& a) { return uint64_t(a.width()) * uint64_t(a.height()); }
}  // namespace

PGStreamWriter::PGStreamWriter(std::vector<uint8_t>& streamBuf, OutputFile& file, uint8_t rateCode,
                               DisplaySize video)
    : out_(streamBuf), file_(file), rateCode_(rateCode), video_(video) {}

void PGStreamWriter::header(uint32_t pts, uint32_t dts) {
  out_.put16(kTagPG);
  out_.put32(pts);
  out_.put32(dts);
}

void PGStreamWriter::flush() {
  file_.write(out_.bytes().data(), out_.bytes().size());
  out_.restart();
}

void PGStreamWriter::composition(uint32_t pts, uint32_t dts, bool showing, const std::vector<EncodeArea>& areas) {
  out_.restart();
  header(pts, dts);
  const size_t objects = showing ? areas.size() : 0;
  out_.putByte(pgPCS);
  out_.put16(uint16_t(11 + 8 * objects));
  out_.put16(uint16_t(video_.width));
  out_.put16(uint16_t(video_.height));
  out_.putByte(uint8_t(rateCode_ << 4));
  out_.put16(compNum++);
  out_.putByte(showing ? kEpochStart : kNormalState);
  out_.putByte(0);  // no palette update
  out_.putByte(0);  // palette id
  out_.putByte(uint8_t(objects));
  for (size_t k = 0; k < objects; ++k) {
    out_.put16(uint16_t(k));  // object id
    out_.putByte(uint8_t(k));  // window id
    out_.putByte(0);           // neither cropped nor forced
    out_.put16(uint16_t(areas[k].x1));
    out_.put16(uint16_t(areas[k].y1));
  }
  flush();
}

void PGStreamWriter::windows(uint32_t pts, uint32_t dts, const std::vector<EncodeArea>& areas) {
  header(pts, dts);
  out_.putByte(pgWDS);
  out_.put16(uint16_t(1 + 9 * areas.size()));
  out_.putByte(uint8_t(areas.size()));
  for (size_t k = 0; k < areas.size(); ++k) {
    out_.putByte(uint8_t(k));
    out_.put16(uint16_t(areas[k].x1));
    out_.put16(uint16_t(areas[k].y1));
    out_.put16(uint16_t(areas[k].width()));
    out_.put16(uint16_t(areas[k].height()));
  }
  flush();
}

void PGStreamWriter::palette(uint32_t pts, uint32_t entries, const PaletteState& pal) {
  header(pts, 0);
  out_.putByte(pgPDS);
  out_.put16(uint16_t(entries * 5 + 2));
  out_.putByte(0);  // palette id
  out_.putByte(0);  // palette version
  for (uint32_t k = 0; k < entries; ++k) {
    const YCrCb c = writtenColour(pal, k);
    out_.putByte(uint8_t(k));
    out_.putByte(c.y);
    out_.putByte(c.cr);
    out_.putByte(c.cb);
    out_.putByte(pal.palAlpha[k]);
  }
  flush();
}

// All fragments of the object are assembled together and written at once. A fragment ends
// at the farthest run whose bytes still fit; a row's end-of-line code goes with the run after
// it.
void PGStreamWriter::object(uint32_t pts, uint32_t dts, uint16_t id, const ObjectCode& code) {
  const uint8_t* rle = rleBuf_.data();
  uint32_t pos = code.begin;
  size_t cut = code.cutsBegin;
  bool first = true;
  for (;;) {
    const uint32_t start = out_.outLen;
    header(pts, dts);
    out_.putByte(pgODS);
    out_.put16(0);  // segment length, known when the fragment is complete
    out_.put16(id);
    out_.putByte(0);  // object version
    out_.putByte(0);  // sequence flags, likewise
    if (first) {
      out_.put24(4 + (code.end - code.begin));  // object data length
      out_.put16(code.width);
      out_.put16(code.height);
    }
    const uint32_t room = kPGMaxFragment - (out_.outLen - start);
    uint32_t stop = cuts_[cut++];
    while (cut < code.cutsEnd && cuts_[cut] - pos <= room) stop = cuts_[cut++];
    out_.putBytes({rle + pos, rle + stop});
    const bool last = stop == code.end;
    out_.patch16(start + 11, uint16_t(out_.outLen - start - kSegmentHead));
    out_.patch8(start + 16, uint8_t((first ? kFirstInSequence : 0) | (last ? kLastInSequence : 0)));
    if (last) break;
    pos = stop;
    first = false;
  }
  flush();
}

void PGStreamWriter::end(uint32_t pts) {
  header(pts, 0);
  out_.putByte(pgEND);
  out_.put16(0);
  flush();
}

void PGStreamWriter::write(uint32_t startPts, uint32_t endPts, uint32_t palCount,
                           const std::vector<EncodeArea>& areas, const PaletteState& pal, const IndexImage& img) {
  // Encode first: the palette must list every entry the pictures use.
  rle_.restart();
  cuts_.clear();
  objects_.clear();
  uint8_t maxIndex = 0;
  uint64_t pixels = 0;
  for (const EncodeArea& a : areas) {
    ObjectCode code{rle_.outLen, 0, cuts_.size(), 0, uint16_t(a.width()), uint16_t(a.height())};
    maxIndex = std::max(maxIndex, encodeBDObject(rle_, img, pal.idxClear, a, cuts_));
    code.end = rle_.outLen;
    code.cutsEnd = cuts_.size();
    objects_.push_back(code);
    pixels += pixelsOf(a);
  }
  // The palette lists the entries from 0 up to the number the list recorded, and further
  // up to the highest entry the pictures use (a DVD list records none; a Blu-ray palette may
  // list fewer entries than its highest id).
  const uint32_t entries = std::min<uint32_t>(256, std::max<uint32_t>(palCount, maxIndex + 1u));

  const uint32_t S = startPts, E = endPts;
  const uint32_t A = clearTime(pixels), C = kPGCompositionDelay;
  const uint32_t paletteTime = S - A - C;
  composition(S, paletteTime, true, areas);
  windows(S - A, paletteTime, areas);
  palette(paletteTime, entries, pal);
  uint32_t decodeStart = paletteTime;
  for (size_t k = 0; k < objects_.size(); ++k) {
    const uint32_t decodeEnd = decodeStart + decodeTime(pixelsOf(areas[k]));
    object(decodeEnd, decodeStart, uint16_t(k), objects_[k]);
    decodeStart = decodeEnd;
  }
  end(decodeStart);

  if (E == 0) return;
  composition(E, E - A, false, areas);
  windows(E - A + 1, E - A, areas);
  end(E - A + 1);
}
