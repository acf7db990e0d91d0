#include "export/sp_packet_writer.h"

#include <algorithm>

#include "export/hd_runs.h"
#include "export/written_colour.h"

namespace {
constexpr uint16_t kTagSP = 0x5350;
constexpr uint32_t kUnitStart = 10;  // unit offsets count from here
constexpr uint32_t kUnitSizePos = 12;
constexpr uint32_t kFirstSequencePos = 16;
constexpr uint32_t kTopFieldPos = 20;
// Display control commands.
constexpr uint8_t kStartDisplay = 0x01;
constexpr uint8_t kStopDisplay = 0x02;
constexpr uint8_t kSetColour2 = 0x83;
constexpr uint8_t kSetContrast2 = 0x84;
constexpr uint8_t kSetArea2 = 0x85;
constexpr uint8_t kSetFields2 = 0x86;
constexpr uint8_t kCommandEnd = 0xFF;

// Stores a 32-bit offset field filled in late: its low 24 bits, its first byte stays 0.
void patchOffset(BitBuffer& out, uint32_t fieldPos, uint32_t value) { out.patch24(fieldPos + 1, value); }

void putDisplayArea(BitBuffer& out, int x1, int x2, int y1, int y2) {
  out.putByte(uint8_t(x1 >> 4 & 0x7F));
  out.putByte(uint8_t((x1 & 0x0F) << 4 | (x2 >> 8 & 0x07)));
  out.putByte(uint8_t(x2));
  out.putByte(uint8_t(y1 >> 4 & 0x7F));
  out.putByte(uint8_t((y1 & 0x0F) << 4 | (y2 >> 8 & 0x07)));
  out.putByte(uint8_t(y2));
}
}  // namespace

void putSPPacket(BitBuffer& out, uint32_t startPts, uint32_t endPts, const EncodeArea& area,
                 const PaletteState& pal, const IndexImage& img) {
  out.restart();
  out.put16(kTagSP);
  out.put32LE(startPts);
  out.put32LE(0);
  out.put16(0);  // HD DVD unit form
  out.put32(0);  // unit size
  out.put32(0);  // offset of the first control sequence

  encodeHDField(out, img, pal.idxClear, area, 0);
  const uint32_t bottom = out.outLen;
  encodeHDField(out, img, pal.idxClear, area, 1);
  const uint32_t firstSequence = out.outLen;
  patchOffset(out, kFirstSequencePos, firstSequence - kUnitStart);

  out.put16(0);  // no delay
  const uint32_t firstNext = out.outLen;
  out.put32(0);
  out.putByte(kStartDisplay);
  out.putByte(kSetColour2);
  for (size_t k = 0; k < 256; ++k) {
    const YCrCb ycc = writtenColour(pal, k);
    out.putByte(ycc.y);
    out.putByte(ycc.cr);
    out.putByte(ycc.cb);
  }
  out.putByte(kSetContrast2);
  for (uint8_t alpha : pal.palAlpha) out.putByte(uint8_t(255 - alpha));
  out.putByte(kSetArea2);
  putDisplayArea(out, area.x1, area.x2 - 1, area.y1, area.y2 - 1);
  out.putByte(kSetFields2);
  out.put32(kTopFieldPos - kUnitStart);
  out.put32(bottom - kUnitStart);
  out.putByte(kCommandEnd);

  // The last sequence points to itself.
  uint32_t lastSequence = firstSequence;
  if (endPts != 0) {
    lastSequence = out.outLen;
    out.put16(uint16_t(std::min<uint32_t>((endPts - startPts) >> 10, 0xFFFF)));
    const uint32_t secondNext = out.outLen;
    out.put32(0);
    out.putByte(kStopDisplay);
    out.putByte(kCommandEnd);
    patchOffset(out, secondNext, lastSequence - kUnitStart);
  }
  patchOffset(out, firstNext, lastSequence - kUnitStart);
  if (out.outLen % 2 == 1) out.putByte(0xFF);
  patchOffset(out, kUnitSizePos, out.outLen - kUnitStart);
}
