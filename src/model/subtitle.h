#pragma once
// One subtitle of the list and its display areas. The list keeps no pixels: stream lists
// record where palette and run-length data lie in the stream file, which is reopened to draw.
#include <array>
#include <cstdint>
#include <string>

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
  std::array<TSUPWin, 2> win{};
  std::array<uint8_t, 64> winOfObj{};
};
