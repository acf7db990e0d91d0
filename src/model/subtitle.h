#pragma once
// One subtitle of the list and its display areas. The list keeps no pixels: stream lists
// record where palette and run-length data lie in the stream file, which is reopened to draw.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TSUPWin {
  uint16_t objId = 0;
  uint16_t x1 = 0;
  uint16_t x2 = 0;
  uint16_t y1 = 0;
  uint16_t y2 = 0;
  uint32_t dataPos = 0;
  uint32_t nextPos = 0;
  uint32_t dataLen = 0;
  uint32_t nextLen = 0;
};

// Bytes of the stream file: one fragment of an object's run-length data.
struct TSUPData {
  uint32_t pos = 0;
  uint32_t len = 0;
  bool operator==(const TSUPData&) const = default;
};

// Blu-ray: the entries of one palette segment in the stream file, 5 bytes each.
struct TSUPPalette {
  uint32_t colorOfs = 0;
  uint32_t palCount = 0;
  bool operator==(const TSUPPalette&) const = default;
};

// Blu-ray: one object as a composition shows it.
struct TSUPObject {
  uint16_t objId = 0;
  uint8_t winId = 0;
  uint16_t x = 0, y = 0;           // where the top-left pixel of the part shown goes
  uint16_t width = 0, height = 0;  // the whole object
  bool cropped = false;            // only the crop rectangle is shown
  uint16_t cropX = 0, cropY = 0, cropW = 0, cropH = 0;
  std::vector<TSUPData> fragments;  // its run-length data, fragment after fragment
};

// The object's own columns x0 .. x1 - 1 and rows y0 .. y1 - 1 that a composition shows: the
// crop rectangle cut to the object, or the whole object.
struct ObjectPart {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
inline ObjectPart shownPart(const TSUPObject& o) {
  if (!o.cropped) return {0, 0, o.width, o.height};
  const int x0 = std::min<int>(o.cropX, o.width), y0 = std::min<int>(o.cropY, o.height);
  return {x0, y0, std::min(int(o.cropX) + o.cropW, int(o.width)), std::min(int(o.cropY) + o.cropH, int(o.height))};
}

// fontMode values, as the "Font" choice numbers them; 4 = not recognised yet.
enum FontMode : uint8_t { fmNormal = 0, fmAuto = 1, fmItalic = 2, fmUnrecognised = 4 };

struct TSUP {
  int32_t num = 0;
  // Where the colour and contrast choices lie: HD DVD offsets into the unit's control area;
  // Blu-ray (colours only) and DVD file positions; 0 = none.
  uint32_t colorOfs = 0;
  uint32_t contrOfs = 0;
  uint32_t palCount = 0;
  uint32_t startPts = 0;
  uint32_t endPts = 0;  // 0 while the end is unknown
  std::string startTime;
  std::string endTime;
  std::string text;  // Windows-1252, lines joined with '|'
  uint8_t fontMode = 0;
  uint8_t textOk = 0;
  uint8_t locked = 0;
  int32_t lineCount = 0;
  int32_t charCount = 0;
  // The areas shown. Blu-ray: each record is the box around the objects it holds (areaOf)
  // and names the first fragment (and the last, when there are more) of its first object.
  std::array<TSUPWin, 2> win{};
  std::array<uint8_t, 64> winOfObj{};
  // Blu-ray: the video size the composition names (0 when it names none).
  uint16_t videoWidth = 0;
  uint16_t videoHeight = 0;
  // Blu-ray: the objects shown, in the composition's order.
  std::vector<TSUPObject> objects;
  // Blu-ray: earlier segments of its palette, oldest first, with entries that the segment at
  // colorOfs does not name again (a segment may update only some entries): the palette is
  // theirs, updated by colorOfs's. Usually empty.
  std::vector<TSUPPalette> palEarlier;
};

// Blu-ray: the area record (0 or 1) of object o of s: record 0 holds the objects of the
// window of the composition's first object, record 1 those of the other windows.
inline size_t areaOf(const TSUP& s, const TSUPObject& o) { return o.winId == s.objects.front().winId ? 0 : 1; }
