#include "readers/pg_subtitles.h"

#include <algorithm>
#include <cstring>

#include "readers/stream_file.h"
#include "readers/subtitle_times.h"

namespace {
constexpr int kMaxCoord = 0xFFFF;

bool samePlace(const TSUPObject& a, const TSUPObject& b) {
  if (a.x != b.x || a.y != b.y || a.width != b.width || a.height != b.height || a.cropped != b.cropped) return false;
  return !a.cropped || (a.cropX == b.cropX && a.cropY == b.cropY && a.cropW == b.cropW && a.cropH == b.cropH);
}

uint64_t totalLength(const std::vector<TSUPData>& fragments) {
  uint64_t n = 0;
  for (const TSUPData& f : fragments) n += f.len;
  return n;
}

void setPalette(TSUP& s, const PgPaletteDef& p) {
  const TSUPPalette last = p.segments.empty() ? TSUPPalette{} : p.segments.back();
  s.colorOfs = last.colorOfs;
  s.palCount = last.palCount;
  s.palEarlier.assign(p.segments.begin(), p.segments.end() - (p.segments.empty() ? 0 : 1));
}
}  // namespace

void placeAreas(TSUP& s) {
  s.win = {};
  s.winOfObj = {};
  for (const TSUPObject& o : s.objects) {
    const size_t k = areaOf(s, o);
    TSUPWin& w = s.win[k];
    if (o.objId < s.winOfObj.size()) s.winOfObj[o.objId] = uint8_t(k);
    if (w.dataLen == 0 && w.dataPos == 0 && !o.fragments.empty()) {
      w.objId = o.objId;
      w.dataPos = o.fragments.front().pos;
      w.dataLen = o.fragments.front().len;
      if (o.fragments.size() > 1) {
        w.nextPos = o.fragments.back().pos;
        w.nextLen = o.fragments.back().len;
      }
    }
    const ObjectPart part = shownPart(o);
    if (part.x1 <= part.x0 || part.y1 <= part.y0) continue;
    const uint16_t x1 = o.x, y1 = o.y;
    const uint16_t x2 = uint16_t(std::min(int(o.x) + part.x1 - part.x0, kMaxCoord));
    const uint16_t y2 = uint16_t(std::min(int(o.y) + part.y1 - part.y0, kMaxCoord));
    if (w.x2 <= w.x1) {
      w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2;
    } else {
      w.x1 = std::min(w.x1, x1), w.y1 = std::min(w.y1, y1), w.x2 = std::max(w.x2, x2), w.y2 = std::max(w.y2, y2);
    }
  }
}

PgSubtitleMaker::PgSubtitleMaker(std::vector<TSUP>& subs, const StreamFile& file, Log detail)
    : subs_(subs), file_(file), detail_(std::move(detail)) {}

std::vector<TSUPObject> PgSubtitleMaker::placed(const PgComposition& c, const PgEpoch& epoch) const {
  std::vector<TSUPObject> out;
  for (const TSUPObject& o : c.objects) {
    const PgObjectDef* def = epoch.object(o.objId);
    if (!def) {
      note([&] { return "Object " + std::to_string(o.objId) + " is not defined: it is not shown."; });
      continue;
    }
    TSUPObject& p = out.emplace_back(o);
    p.width = def->width;
    p.height = def->height;
    p.fragments = def->fragments;
  }
  return out;
}

bool PgSubtitleMaker::sameData(const std::vector<TSUPData>& a, const std::vector<TSUPData>& b) const {
  if (a == b) return true;  // the same object again
  if (totalLength(a) != totalLength(b)) return false;
  // The same bytes, wherever the fragments cut them.
  size_t i = 0, j = 0;
  uint32_t at = 0, bt = 0;  // bytes of a[i] and b[j] compared so far
  while (i < a.size() && j < b.size()) {
    const uint32_t n = std::min(a[i].len - at, b[j].len - bt);
    if (n > 0 && std::memcmp(file_.at(a[i].pos + at, n).data(), file_.at(b[j].pos + bt, n).data(), n) != 0)
      return false;
    at += n, bt += n;
    if (at == a[i].len) ++i, at = 0;
    if (bt == b[j].len) ++j, bt = 0;
  }
  return true;
}

bool PgSubtitleMaker::samePicture(const std::vector<TSUPObject>& a, const std::vector<TSUPObject>& b) const {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k)
    if (!samePlace(a[k], b[k]) || !sameData(a[k].fragments, b[k].fragments)) return false;
  return true;
}

void PgSubtitleMaker::show(const PgComposition& c, const PgEpoch& epoch) {
  std::vector<TSUPObject> objects = placed(c, epoch);
  if (objects.empty()) {
    if (!onScreen_) return;
    end(c.pts);
    note([&] { return "Ends subtitle " + newest() + "."; });
    return;
  }
  static const PgPaletteDef kNoPalette;
  const PgPaletteDef* found = epoch.palette(c.paletteId);
  const PgPaletteDef& palette = found ? *found : kNoPalette;
  if (onScreen_ && samePicture(subs_.back().objects, objects)) {
    if (palette.entries == lastEntries_) {
      note([&] { return "Continues subtitle " + newest() + ": the same picture."; });
      return;
    }
    lastEntries_ = palette.entries;
    if (palette.opacity() > bestOpacity_) {
      bestOpacity_ = palette.opacity();
      setPalette(subs_.back(), palette);
    }
    note([&] { return "Merges into subtitle " + newest() + ": the same picture with another palette."; });
    return;
  }
  if (onScreen_) {
    end(c.pts);
    note([&] { return "Ends subtitle " + newest() + ": the next picture replaces it."; });
  }
  start(c, std::move(objects), palette);
}

void PgSubtitleMaker::start(const PgComposition& c, std::vector<TSUPObject> objects, const PgPaletteDef& palette) {
  TSUP& s = subs_.emplace_back();
  const uint32_t n = uint32_t(subs_.size());
  s.num = int32_t(n);
  s.textOk = 0;
  setPlaceholder(s, n);
  setStart(s, c.pts);
  s.videoWidth = c.videoWidth;
  s.videoHeight = c.videoHeight;
  s.objects = std::move(objects);
  placeAreas(s);
  setPalette(s, palette);
  onScreen_ = true;
  lastEntries_ = palette.entries;
  bestOpacity_ = palette.opacity();
}

void PgSubtitleMaker::end(uint32_t pts) {
  setEnd(subs_.back(), pts);
  onScreen_ = false;
}
