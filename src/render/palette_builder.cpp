#include "render/palette_builder.h"

#include <algorithm>
#include <array>
#include <span>

#include "readers/dvd_index.h"
#include "readers/stream_file.h"
#include "render/colour.h"
#include "render/display_size.h"

namespace {
constexpr int kHdPaletteBytes = 768;  // 256 Y, Cr, Cb triples
constexpr int kHdContrastBytes = 256;
constexpr int kBdEntryBytes = 5;      // id, Y, Cr, Cb, T
constexpr int kDvdNibbleBytes = 2;    // four 4-bit values

// Tracks the most transparent, the brightest and the darkest opaque entry while a palette is
// built; ties keep the entry met first, and an index nobody qualifies for keeps its value.
class IndexUpdate {
 public:
  explicit IndexUpdate(PaletteState& p) : p_(p) {}
  void add(uint8_t e) {
    const int alpha = p_.palAlpha[e];
    const PackedColor c = p_.palRGB[e];
    const int brightness = redOf(c) + greenOf(c) + blueOf(c);
    if (alpha < minAlpha_) {
      minAlpha_ = alpha;
      p_.idxClear = e;
    }
    if (alpha == 255 && brightness > maxBright_) {
      maxBright_ = brightness;
      p_.idxBright = e;
    }
    if (alpha == 255 && brightness < minBright_) {
      minBright_ = brightness;
      p_.idxDark = e;
    }
  }

 private:
  PaletteState& p_;
  int minAlpha_ = 4095, maxBright_ = 0, minBright_ = 4095;
};

void setDisplaySize(PaletteState& p, DisplaySize d) {
  p.displayWidth = d.width;
  p.displayHeight = d.height;
}

// Lists whose colours the program chose (DVD, SRT) store them in RGB only.
void convertColours(PaletteState& p) {
  for (size_t i = 0; i < 256; ++i) p.palYCrCb[i] = RGBToYCrCb(p.palRGB[i]);
}

// A DVD unit indexes four colours. Without the sixteen colours of a VobSub index its own
// choice of them means nothing, and fixed colours stand in; with them, the unit's colour and
// contrast commands pick its four entries.
void buildDvd(PaletteState& p, const TSUP& s, const StreamFile& file, const DvdIndex* index) {
  static constexpr PackedColor kColours[4] = {0x000000, 0xFFFFFF, 0x000000, 0xCCCCCC};
  static constexpr uint8_t kAlphas[4] = {0, 255, 255, 255};
  for (int i = 0; i < 4; ++i) {
    p.palRGB[i] = kColours[i];
    p.palAlpha[i] = kAlphas[i];
  }
  p.idxBright = 1;
  // DVD streams name no transparent or dark entry; fixed ones keep an index left by an
  // earlier list (whose colours entries 4-255 still hold) out of the background and the
  // black-and-white output.
  p.idxClear = 0;
  p.idxDark = 2;
  if (index && index->palette) {
    // Entry 3 is named by the first nibble, entry 0 by the last.
    const auto nibble = [](std::span<const uint8_t> b, int entry) { return (b[size_t(1 - entry / 2)] >> (4 * (entry % 2))) & 0xF; };
    if (s.colorOfs != 0) {
      const auto colours = file.at(s.colorOfs, kDvdNibbleBytes);
      for (int i = 0; i < 4; ++i) {
        const uint32_t rgb = (*index->palette)[size_t(nibble(colours, i))];
        p.palRGB[size_t(i)] = packColour(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
      }
    }
    if (s.contrOfs != 0) {
      const auto contrast = file.at(s.contrOfs, kDvdNibbleBytes);
      for (int i = 0; i < 4; ++i) p.palAlpha[size_t(i)] = uint8_t(nibble(contrast, i) * 17);
    }
    IndexUpdate update(p);
    for (int i = 0; i < 4; ++i) update.add(uint8_t(i));
  }
  convertColours(p);
}

void buildHdDvd(PaletteState& p, const TSUP& s, const StreamFile& file) {
  const uint64_t control = uint64_t(s.win[0].dataPos) + s.win[0].dataLen;
  const auto colours = file.at(control + s.colorOfs, kHdPaletteBytes);
  const auto contrast = file.at(control + s.contrOfs, kHdContrastBytes);
  IndexUpdate update(p);
  for (int i = 0; i < 256; ++i) {
    p.palYCrCb[size_t(i)] = {colours[3 * i], colours[3 * i + 1], colours[3 * i + 2]};
    p.palRGB[i] = YCrCbToRGB(colours[3 * i], colours[3 * i + 1], colours[3 * i + 2]);
    p.palAlpha[i] = uint8_t(255 - contrast[i]);
    update.add(uint8_t(i));
  }
}

// The palette segments of s, applied oldest first: an entry takes the value the last one
// naming it gives.
void buildBluRay(PaletteState& p, const TSUP& s, const StreamFile& file) {
  p.palRGB.fill(0);
  p.palYCrCb.fill(YCrCb{});
  // Entries the palette segments do not list are transparent, as a player shows them, in
  // export renders too: objects often draw their clear pixels with such an id, and an opaque
  // entry there would put a black box behind every exported subtitle. A subtitle without
  // any palette segment shows nothing, as on a player.
  p.palAlpha.fill(0);
  std::array<bool, 256> listed{}, lastNames{};
  std::vector<uint8_t> lastOrder;
  const auto apply = [&](TSUPPalette seg, bool last) {
    const auto entries = file.at(seg.colorOfs, uint64_t(seg.palCount) * kBdEntryBytes);
    for (size_t i = 0; i + kBdEntryBytes <= entries.size(); i += kBdEntryBytes) {
      const uint8_t id = entries[i];
      p.palAlpha[id] = entries[i + 4];
      p.palYCrCb[id] = {entries[i + 1], entries[i + 2], entries[i + 3]};
      p.palRGB[id] = YCrCbToRGB(entries[i + 1], entries[i + 2], entries[i + 3]);
      listed[id] = true;
      if (last) lastNames[id] = true, lastOrder.push_back(id);
    }
  };
  for (const TSUPPalette& seg : s.palEarlier) apply(seg, false);
  if (s.colorOfs != 0) apply({s.colorOfs, s.palCount}, true);
  // The indexes follow the entries of the last segment in its order, as with a single
  // segment; entries that only earlier segments name go before them.
  IndexUpdate update(p);
  for (int id = 0; id < 256; ++id)
    if (listed[size_t(id)] && !lastNames[size_t(id)]) update.add(uint8_t(id));
  for (uint8_t id : lastOrder) update.add(id);
  // The index image's background must be as clear as the subtitle's own clear pixels: when
  // no listed entry is fully transparent, the lowest unlisted one is the most transparent.
  if (p.palAlpha[p.idxClear] > 0) {
    const auto unlisted = std::find(listed.begin(), listed.end(), false);
    if (unlisted != listed.end()) p.idxClear = uint8_t(unlisted - listed.begin());
  }
}

void buildSrt(PaletteState& p, int maxColour) {
  p.palRGB.fill(0);
  p.palAlpha.fill(0);
  p.sheetMap.fill(1);
  for (int k = 0; k <= 16; ++k) {
    const PackedColor g = PackedColor((k * maxColour) / 255);
    const size_t e = size_t(2 + k);
    if (k <= 7) {
      p.palRGB[e] = g * 0x101010u;
      p.palAlpha[e] = uint8_t(154 + 10 * k);
      p.sheetMap[size_t(16 * k)] = uint8_t(e);
    } else {
      // A dim maximum (below 32) leaves g at 0 for the upper levels: black, not a wrap to
      // near-white.
      p.palRGB[e] = g == 0 ? 0 : g * 0x101010u - 0x010101u;
      p.palAlpha[e] = uint8_t(191 + 4 * k);
      p.sheetMap[size_t(16 * k - 1)] = uint8_t(e);
    }
  }
  p.palRGB[0] = 0;
  p.palAlpha[0] = 255;
  p.palRGB[1] = 0x0000FF;
  p.palAlpha[1] = 0;
  p.palRGB[19] = 0;
  p.palAlpha[19] = 255;
  p.idxClear = 1;
  p.idxBright = 18;
  p.idxDark = 19;
  convertColours(p);
}
}  // namespace

void setpal(PaletteState& p, const SubtitleList& list, int n, const StreamFile* file, const PaletteOptions& o) {
  // Levels beyond a byte would spill into the unused top byte of the packed colour.
  const PackedColor c = PackedColor(std::clamp(o.cutLevel, 0, 255));
  p.cutColor = c * 65536 + c * 256 + c;

  if (n >= 0 && size_t(n) < list.subs.size()) {
    const TSUP& s = list.subs[size_t(n)];
    if (list.subFormat != sfSRT) setDisplaySize(p, o.listSize);
    switch (list.subFormat) {
      case sfDVD:
        if (file) buildDvd(p, s, *file, o.dvdIndex);
        break;
      case sfHDDVD:
        if (file) buildHdDvd(p, s, *file);
        break;
      case sfBluRay:
        if (file) buildBluRay(p, s, *file);
        break;
      default:
        buildSrt(p, std::clamp(o.maxColor, 0, 255));
        break;
    }
  }
  if (o.allOpaque) p.palAlpha.fill(255);
}
