#pragma once
// A picture of one value per pixel that remembers which part was written since it was last
// made uniform, so that making it uniform again touches only that part. Renders write a
// subtitle-sized rectangle of 1920 x 1080 pictures; clearing only that rectangle keeps a
// render's cost in proportion to the subtitle instead of the canvas.
#include <algorithm>
#include <cstddef>
#include <vector>

// Columns x0 .. x1 - 1, rows y0 .. y1 - 1.
struct Rect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
  // Grows to cover r as well.
  void unite(const Rect& r) {
    if (r.empty()) return;
    if (empty()) {
      *this = r;
      return;
    }
    x0 = std::min(x0, r.x0), y0 = std::min(y0, r.y0), x1 = std::max(x1, r.x1), y1 = std::max(y1, r.y1);
  }
  Rect clippedTo(int w, int h) const {
    return {std::max(x0, 0), std::max(y0, 0), std::min(x1, w), std::min(y1, h)};
  }
};

template <typename T>
class Plane {
 public:
  Plane(int w, int h, T fill = T{}) { resize(w, h, fill); }

  int width() const { return w_; }
  int height() const { return h_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  // (x, y) must lie inside.
  const T& at(int x, int y) const { return px_[index(x, y)]; }
  const T* row(int y) const { return &px_[index(0, y)]; }
  // The part written since the plane was last uniform (all of it when unknown).
  const Rect& written() const { return written_; }

  // Writes mark what they touch; points and spans outside the plane are cut off.
  void set(int x, int y, T v) {
    if (!contains(x, y)) return;
    mark({x, y, x + 1, y + 1});
    px_[index(x, y)] = v;
  }
  void fillSpan(int y, int x0, int x1, T v) {
    if (y < 0 || y >= h_) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, w_);
    if (x0 >= x1) return;
    mark({x0, y, x1, y + 1});
    std::fill(&px_[index(x0, y)], &px_[index(x0, y)] + (x1 - x0), v);
  }
  void fillRect(const Rect& r, T v) {
    const Rect c = r.clippedTo(w_, h_);
    for (int y = c.y0; y < c.y1; ++y) fillSpan(y, c.x0, c.x1, v);
  }
  // Columns x0 .. x1 - 1 of row y for writing; the caller keeps them inside the plane.
  T* span(int y, int x0, int x1) {
    mark({x0, y, x1, y + 1});
    return &px_[index(x0, y)];
  }
  // Every pixel for writing, as when a whole picture is loaded into the plane.
  T* data() {
    mark({0, 0, w_, h_});
    uniform_ = false;
    return px_.data();
  }

  // Makes every pixel v.
  void reset(T v) {
    if (uniform_ && fill_ == v) {
      const Rect c = written_.clippedTo(w_, h_);
      for (int y = c.y0; y < c.y1; ++y) std::fill(&px_[index(c.x0, y)], &px_[index(c.x1 - 1, y)] + 1, v);
    } else {
      std::fill(px_.begin(), px_.end(), v);
    }
    fill_ = v;
    uniform_ = true;
    written_ = {};
  }
  // A new size, all v; the memory of a larger earlier size is kept.
  void resize(int w, int h, T v) {
    // A plane without columns has no rows either, so that no row points into nothing.
    w_ = w > 0 && h > 0 ? w : 0;
    h_ = w_ > 0 ? h : 0;
    px_.assign(size_t(w_) * size_t(h_), v);
    fill_ = v;
    uniform_ = true;
    written_ = {};
  }

 private:
  size_t index(int x, int y) const { return size_t(y) * size_t(w_) + size_t(x); }
  void mark(const Rect& r) {
    if (written_.empty()) {
      written_ = r;
    } else {
      written_.x0 = std::min(written_.x0, r.x0), written_.y0 = std::min(written_.y0, r.y0);
      written_.x1 = std::max(written_.x1, r.x1), written_.y1 = std::max(written_.y1, r.y1);
    }
  }

  int w_ = 0, h_ = 0;
  std::vector<T> px_;
  T fill_{};
  bool uniform_ = false;
  Rect written_;
};
