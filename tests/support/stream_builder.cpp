#include "support/stream_builder.h"

#include <algorithm>
#include <stdexcept>

namespace {
void put16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}
void put24(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v >> 16));
  put16(b, v);
}
void put32(Bytes& b, uint32_t v) {
  put16(b, v >> 16);
  put16(b, v);
}
void put32le(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void append(Bytes& b, std::span<const uint8_t> more) { b.insert(b.end(), more.begin(), more.end()); }

}  // namespace

// A frame of index 2 around a field of 0 with a bar of 1 and a smaller one of 3.
Bytes pgTestPixels(uint16_t width, uint16_t height) {
  Bytes px(size_t(width) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t& p = px[size_t(y) * width + size_t(x)];
      if (x < 2 || y < 2 || x >= width - 2 || y >= height - 2) p = 2;
      else if (y >= height / 3 && y < 2 * height / 3 && x >= width / 4 && x < 3 * width / 4) p = 1;
      else if (y >= height / 6 && y < height / 3 && x >= width / 3 && x < width / 2) p = 3;
    }
  return px;
}

namespace {
// Calls emit(index, length) for each run of equal indexes in one row.
template <class Emit>
void forEachRun(std::span<const uint8_t> row, Emit emit) {
  for (size_t x = 0; x < row.size();) {
    size_t n = 1;
    while (x + n < row.size() && row[x + n] == row[x]) ++n;
    emit(row[x], n);
    x += n;
  }
}

class BitWriter {
 public:
  void put(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      if (used_ == 0) out.push_back(0);
      if (value >> i & 1) out.back() |= uint8_t(0x80 >> used_);
      used_ = (used_ + 1) & 7;
    }
  }
  void align() { used_ = 0; }
  Bytes out;

 private:
  int used_ = 0;
};

void dvdRun(BitWriter& w, uint8_t c, size_t n) {
  c &= 3;
  while (n > 0) {
    const uint32_t len = uint32_t(std::min<size_t>(n, 255));
    if (len < 4) w.put(len << 2 | c, 4);
    else if (len < 16) w.put(len << 2 | c, 8);
    else if (len < 64) w.put(len << 2 | c, 12);
    else w.put(len << 2 | c, 16);
    n -= len;
  }
}

void hdRun(BitWriter& w, uint8_t c, size_t n) {
  const bool small = c < 4;
  while (n > 0) {
    const uint32_t len = uint32_t(std::min<size_t>(n, 136));
    if (len == 1) {
      if (small) w.put(c, 4);  // 00 cc
      else w.put(1u << 8 | c, 10);  // 01 cccccccc
    } else if (len <= 9) {
      if (small) w.put(0x2u << 6 | uint32_t(c) << 4 | (len - 2), 8);  // 10 cc 0 LLL
      else w.put(0x3u << 12 | uint32_t(c) << 4 | (len - 2), 14);      // 11 c8 0 LLL
    } else {
      if (small) w.put(0x2u << 10 | uint32_t(c) << 8 | 1u << 7 | (len - 9), 12);  // 10 cc 1 L7
      else w.put(0x3u << 16 | uint32_t(c) << 8 | 1u << 7 | (len - 9), 18);        // 11 c8 1 L7
    }
    n -= len;
  }
}

void checkPicture(uint16_t width, uint16_t height, std::span<const uint8_t> indexes) {
  if (indexes.size() != size_t(width) * height) throw std::invalid_argument("picture size");
}
}  // namespace

// ---------------------------------------------------------------- run-length coding

Bytes pgRle(uint16_t width, uint16_t height, std::span<const uint8_t> indexes) {
  checkPicture(width, height, indexes);
  Bytes out;
  for (size_t y = 0; y < height; ++y) {
    forEachRun(indexes.subspan(y * width, width), [&](uint8_t c, size_t n) {
      while (n > 0) {
        const uint32_t len = uint32_t(std::min<size_t>(n, 0x3FFF));
        if (c != 0 && len <= 2) {
          for (uint32_t i = 0; i < len; ++i) out.push_back(c);
        } else {
          out.push_back(0);
          const uint8_t kind = uint8_t((c != 0 ? 0x80 : 0) | (len >= 64 ? 0x40 : 0));
          if (len >= 64) put16(out, uint32_t(kind) << 8 | len);
          else out.push_back(uint8_t(kind | len));
          if (c != 0) out.push_back(c);
        }
        n -= len;
      }
    });
    put16(out, 0);  // end of line
  }
  return out;
}

std::pair<Bytes, Bytes> spRle(bool hd, uint16_t width, uint16_t height, std::span<const uint8_t> indexes) {
  checkPicture(width, height, indexes);
  BitWriter field[2];
  for (size_t y = 0; y < height; ++y) {
    BitWriter& w = field[y & 1];
    forEachRun(indexes.subspan(y * width, width), [&](uint8_t c, size_t n) {
      if (hd) hdRun(w, c, n);
      else dvdRun(w, c, n);
    });
    w.align();
  }
  return {std::move(field[0].out), std::move(field[1].out)};
}

// ---------------------------------------------------------------- Blu-ray

std::vector<PgColor> pgDefaultPalette() {
  return {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}, {2, 16, 128, 128, 255}, {3, 125, 128, 128, 255}};
}

PgImage pgImageFrom(uint16_t x, uint16_t y, uint16_t width, uint16_t height, std::span<const uint8_t> indexes) {
  PgImage img;
  img.x = x;
  img.y = y;
  img.width = width;
  img.height = height;
  img.rle = pgRle(width, height, indexes);
  return img;
}

PgImage pgTestImage(uint16_t x, uint16_t y, uint16_t width, uint16_t height) {
  return pgImageFrom(x, y, width, height, pgTestPixels(width, height));
}

PgStream& PgStream::segment(uint32_t pts, uint8_t type, std::span<const uint8_t> payload,
                            std::optional<uint16_t> size, uint32_t dts) {
  if (!size && payload.size() > 0xFFFF) throw std::invalid_argument("segment payload too long");
  bytes_.push_back('P');
  bytes_.push_back('G');
  put32(bytes_, pts);
  put32(bytes_, dts);
  bytes_.push_back(type);
  put16(bytes_, size.value_or(uint16_t(payload.size())));
  append(bytes_, payload);
  return *this;
}

PgStream& PgStream::raw(std::span<const uint8_t> bytes) {
  append(bytes_, bytes);
  return *this;
}

PgStream& PgStream::pcs(uint32_t pts, const std::vector<PgPlacement>& objects, PgState state) {
  Bytes p;
  put16(p, videoWidth_);
  put16(p, videoHeight_);
  p.push_back(0x10);  // frame rate
  put16(p, 0);        // composition number
  p.push_back(uint8_t(state));
  p.push_back(0);  // palette update flag
  p.push_back(0);  // palette id
  p.push_back(uint8_t(objects.size()));
  for (const PgPlacement& o : objects) {
    put16(p, o.objId);
    p.push_back(o.winId);
    p.push_back(uint8_t((o.cropped ? 0x80 : 0) | (o.forced ? 0x40 : 0)));
    put16(p, o.x);
    put16(p, o.y);
    if (o.cropped)
      for (uint16_t c : o.crop) put16(p, c);
  }
  return segment(pts, 0x16, p);
}

PgStream& PgStream::wds(uint32_t pts, const std::vector<PgWindow>& windows) {
  Bytes p{uint8_t(windows.size())};
  for (const PgWindow& w : windows) {
    p.push_back(w.id);
    put16(p, w.x);
    put16(p, w.y);
    put16(p, w.width);
    put16(p, w.height);
  }
  return segment(pts, 0x17, p);
}

PgStream& PgStream::pds(uint32_t pts, const std::vector<PgColor>& colors, uint8_t paletteId, uint8_t version) {
  Bytes p{paletteId, version};
  for (const PgColor& c : colors) p.insert(p.end(), {c.index, c.y, c.cr, c.cb, c.alpha});
  return segment(pts, 0x14, p);
}

PgStream& PgStream::odsFragment(uint32_t pts, uint16_t objId, bool first, bool last, std::span<const uint8_t> data,
                                uint16_t width, uint16_t height, uint32_t objectLength) {
  Bytes p;
  put16(p, objId);
  p.push_back(0);  // version
  p.push_back(uint8_t((first ? 0x80 : 0) | (last ? 0x40 : 0)));
  if (first) {
    put24(p, (objectLength ? objectLength : uint32_t(data.size())) + 4);
    put16(p, width);
    put16(p, height);
  }
  append(p, data);
  return segment(pts, 0x15, p);
}

PgStream& PgStream::ods(uint32_t pts, uint16_t objId, uint16_t width, uint16_t height, std::span<const uint8_t> rle) {
  const size_t firstLen = std::min(rle.size(), kOdsMaxFirstData);
  const bool whole = firstLen == rle.size();
  if (whole) return odsFragment(pts, objId, true, true, rle, width, height);
  // The first fragment announces the length of the whole object.
  Bytes p;
  put16(p, objId);
  p.push_back(0);
  p.push_back(0x80);
  put24(p, uint32_t(rle.size() + 4));
  put16(p, width);
  put16(p, height);
  append(p, rle.first(firstLen));
  segment(pts, 0x15, p);
  for (size_t at = firstLen; at < rle.size();) {
    const size_t n = std::min<size_t>(rle.size() - at, 0xFFFF - 4);
    odsFragment(pts, objId, false, at + n == rle.size(), rle.subspan(at, n));
    at += n;
  }
  return *this;
}

PgStream& PgStream::end(uint32_t pts) { return segment(pts, 0x80, {}); }

PgStream& PgStream::show(uint32_t pts, const PgImage& image, PgState state, uint16_t objId) {
  lastWindow_ = {0, image.x, image.y, image.width, image.height};
  PgPlacement obj;
  obj.objId = objId;
  obj.x = image.x;
  obj.y = image.y;
  pcs(pts, {obj}, state);
  wds(pts, {lastWindow_});
  pds(pts, image.palette);
  ods(pts, objId, image.width, image.height, image.rle);
  return end(pts);
}

PgStream& PgStream::clear(uint32_t pts) {
  pcs(pts, {}, PgState::normal);
  wds(pts, {lastWindow_});
  return end(pts);
}

// ---------------------------------------------------------------- DVD and HD DVD

SpUnit::Sequence& SpUnit::current() {
  if (sequences_.empty()) sequences_.emplace_back();
  return sequences_.back();
}

SpUnit& SpUnit::fields(Bytes top, Bytes bottom) {
  top_ = std::move(top);
  bottom_ = std::move(bottom);
  return *this;
}

SpUnit& SpUnit::sequence(uint16_t stm) {
  sequences_.push_back({stm, std::nullopt, {}});
  return *this;
}

SpUnit& SpUnit::nextAddress(uint32_t address) {
  current().next = address;
  return *this;
}

SpUnit& SpUnit::command(std::span<const uint8_t> bytes) {
  append(current().commands, bytes);
  return *this;
}

SpUnit& SpUnit::forceStart() { return command(Bytes{0x00}); }
SpUnit& SpUnit::start() { return command(Bytes{0x01}); }
SpUnit& SpUnit::stop() { return command(Bytes{0x02}); }
SpUnit& SpUnit::endCommands() { return command(Bytes{0xFF}); }

SpUnit& SpUnit::colors(uint16_t value) {
  Bytes c{0x03};
  put16(c, value);
  return command(c);
}

SpUnit& SpUnit::contrast(uint16_t value) {
  Bytes c{0x04};
  put16(c, value);
  return command(c);
}

SpUnit& SpUnit::area(uint16_t x1, uint16_t x2, uint16_t y1, uint16_t y2) {
  Bytes c{uint8_t(hd_ ? 0x85 : 0x05)};
  c.push_back(uint8_t(x1 >> 4));
  c.push_back(uint8_t((x1 & 0xF) << 4 | (x2 >> 8 & 0xF)));
  c.push_back(uint8_t(x2));
  c.push_back(uint8_t(y1 >> 4));
  c.push_back(uint8_t((y1 & 0xF) << 4 | (y2 >> 8 & 0xF)));
  c.push_back(uint8_t(y2));
  return command(c);
}

SpUnit& SpUnit::fieldAddresses() {
  const uint32_t top = uint32_t(headerSize()), bottom = uint32_t(headerSize() + top_.size());
  Bytes c{uint8_t(hd_ ? 0x86 : 0x06)};
  if (hd_) {
    put32(c, top);
    put32(c, bottom);
  } else {
    put16(c, top);
    put16(c, bottom);
  }
  return command(c);
}

SpUnit& SpUnit::colorTable(std::span<const uint8_t> table768) {
  Bytes c{0x83};
  append(c, table768);
  c.resize(1 + 768);
  return command(c);
}

SpUnit& SpUnit::contrastTable(std::span<const uint8_t> table256) {
  Bytes c{0x84};
  append(c, table256);
  c.resize(1 + 256);
  return command(c);
}

SpUnit& SpUnit::padding(size_t n, uint8_t value) {
  padding_.assign(n, value);
  return *this;
}

Bytes SpUnit::build() const {
  const size_t ctl = controlOffset();
  const size_t addrWidth = hd_ ? 4 : 2;
  std::vector<size_t> at;
  size_t size = ctl;
  for (const Sequence& s : sequences_) {
    at.push_back(size);
    size += 2 + addrWidth + s.commands.size();
  }
  size += padding_.size();
  if (!hd_ && size > 0xFFFF) throw std::invalid_argument("DVD unit too long");

  Bytes u;
  if (hd_) {
    put16(u, 0);
    put32(u, uint32_t(size));
    put32(u, uint32_t(ctl));
  } else {
    put16(u, uint32_t(size));
    put16(u, uint32_t(ctl));
  }
  append(u, top_);
  append(u, bottom_);
  for (size_t i = 0; i < sequences_.size(); ++i) {
    const Sequence& s = sequences_[i];
    const uint32_t next = s.next.value_or(uint32_t(i + 1 < at.size() ? at[i + 1] : at[i]));
    put16(u, s.stm);
    if (hd_) put32(u, next);
    else put16(u, next);
    append(u, s.commands);
  }
  append(u, padding_);
  return u;
}

SpUnit spTestUnit(bool hd, uint16_t x, uint16_t y, uint16_t width, uint16_t height, std::optional<uint16_t> duration) {
  auto [top, bottom] = spRle(hd, width, height, pgTestPixels(width, height));
  SpUnit u(hd);
  u.fields(std::move(top), std::move(bottom));
  u.sequence(0).start().area(x, uint16_t(x + width - 1), y, uint16_t(y + height - 1)).fieldAddresses();
  if (hd) {
    Bytes colors(768), alpha(256, 0xFF);
    for (size_t i = 0; i < 256; ++i) {  // a grey ramp: Y, Cr, Cb
      colors[3 * i] = uint8_t(16 + i * 219 / 255);
      colors[3 * i + 1] = 128;
      colors[3 * i + 2] = 128;
    }
    alpha[0] = 0;
    u.colorTable(colors).contrastTable(alpha);
  } else {
    u.colors().contrast();
  }
  u.endCommands();
  if (duration) u.sequence(*duration).stop().endCommands();
  return u;
}

SpStream& SpStream::packet(uint32_t pts, const SpUnit& unit, uint32_t secondTime) {
  bytes_.push_back('S');
  bytes_.push_back('P');
  put32le(bytes_, pts);
  put32le(bytes_, secondTime);
  append(bytes_, unit.build());
  return *this;
}

SpStream& SpStream::raw(std::span<const uint8_t> bytes) {
  append(bytes_, bytes);
  return *this;
}
