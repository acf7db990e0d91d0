#include "render/index_image.h"

#include "readers/stream_file.h"
#include "render/rle_decode.h"
#include "model/text_lines.h"

namespace {
// Black-and-white pictures ("OCR") are saved pictures only: a stream export keeps the colours.
void startIndexImage(Drawing& d) {
  IndexImage& img = d.images.indexImage;
  const PaletteState& p = d.palette;
  if (img.width() != p.displayWidth || img.height() != p.displayHeight)
    img.resize(p.displayWidth, p.displayHeight, 0);
  img.reset(!d.exporting() && d.options.blackWhite ? p.idxDark : p.idxClear);
  img.palette = p.palRGB;
  img.transparency = p.palAlpha;
}

// The lines of an SRT subtitle, drawn from the letter sheet; but for an export, the area's
// rows become the rows the letters ink.
void drawText(Drawing& d, TSUP& s) {
  d.sheet.italicOn = false;
  const TSUPWin before = s.win[0];
  if (!d.exporting()) {
    s.win[0].y1 = 1079;
    s.win[0].y2 = 0;
  }
  const std::vector<std::string> lines = splitLines(s.text);
  const int m = int(lines.size());
  // lineCount and the text are kept equal; should they differ, only the text's lines exist.
  const int count = std::min(s.lineCount, m);
  const TextCanvas canvas = textCanvasOf(d);
  for (int i = 0; i < count; ++i) DrawLine(canvas, lines[size_t(i)], (m - i) & 0xFF, d.list.curSub);
  // Text that inks nothing (spaces only) keeps the rows it had rather than an upside-down area.
  if (s.win[0].y1 > s.win[0].y2) {
    s.win[0].y1 = before.y1;
    s.win[0].y2 = before.y2;
  }
}
}  // namespace

std::unique_ptr<StreamFile> openListStream(const Drawing& d) {
  if (d.list.subFormat == sfSRT) return nullptr;
  return std::make_unique<StreamFile>(openListStream(d.source, d.streamPath));
}

DisplaySize listDisplaySize(const Drawing& d) {
  const uint8_t format = d.list.subFormat;
  if (format == sfSRT) return {d.palette.displayWidth, d.palette.displayHeight};
  // A DVD track's index may name the size its pictures were made for.
  const DisplaySize named = format == sfDVD && d.source.dvdIndex
                                ? DisplaySize{d.source.dvdIndex->width, d.source.dvdIndex->height}
                                : DisplaySize{};
  return displaySizeOf(format, d.list.subs, named);
}

TextCanvas textCanvasOf(const Drawing& d) {
  const RenderOptions& o = d.options;
  return {d.list.subs, d.sheet, d.palette, d.images, d.flags,
          {.spacing = o.letterSpacing,
           .maxColor = o.maxColor,
           .savePng = o.savePng,
           .saveBmp = o.saveBmp,
           .blackAndWhite = o.blackWhite}};
}

PaletteOptions paletteOptions(const Drawing& d, DisplaySize listSize) {
  PaletteOptions o;
  o.cutLevel = d.options.cutLevel;
  o.maxColor = d.options.maxColor;
  o.allOpaque = !d.exporting() && d.options.blackWhite;
  o.listSize = listSize;
  o.dvdIndex = d.source.dvdIndex ? &*d.source.dvdIndex : nullptr;
  return o;
}

void drawSubtitlePixels(Drawing& d, TSUP& s, const StreamFile* file, bool indexOnly) {
  startIndexImage(d);
  if (!file) {
    drawText(d, s);
    return;
  }
  const RenderFlags& f = d.flags;
  RunMode mode;
  mode.indexOnly = indexOnly;
  mode.exporting = d.exporting();
  mode.blackWhite = f.savingBitmaps && d.options.blackWhite;
  mode.twoTone = f.ocrRender || mode.blackWhite;
  decodeSubtitle(d.images, d.palette, d.list.subFormat, *file, s, mode);
}

void drawIndexImage(Drawing& d, int n, const StreamFile* file, const DisplaySize* listSize) {
  SubtitleList& list = d.list;
  if (n > int(list.subs.size())) n = 0;
  list.curSub = n - 1;
  if (n < 1) {
    IndexImage& img = d.images.indexImage;
    if (img.width() != d.palette.displayWidth || img.height() != d.palette.displayHeight)
      img.resize(d.palette.displayWidth, d.palette.displayHeight, 0);
    img.transparency.fill(0);
    return;
  }
  TSUP& s = list.subs[size_t(list.curSub)];
  std::unique_ptr<StreamFile> own;
  if (list.subFormat == sfSRT) file = nullptr;
  else if (!file) file = (own = openListStream(d)).get();
  setpal(d.palette, list, list.curSub, file, paletteOptions(d, listSize ? *listSize : listDisplaySize(d)));
  drawSubtitlePixels(d, s, file, true);
}
