#pragma once
// The part of the canvas a writer encodes: columns x1 to x2 - 1, rows y1 to y2 - 1.
struct EncodeArea {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;

  int width() const { return x2 > x1 ? x2 - x1 : 0; }
  int height() const { return y2 > y1 ? y2 - y1 : 0; }
};
