#pragma once
// Subtitle streams built byte by byte for tests, benchmarks and fuzz seeds: Blu-ray
// presentation graphics segments ("PG") and DVD / HD DVD subpicture packets ("SP").
// Fields are written as given, so damaged streams are as easy to build as good ones; size()
// tells where the next segment or packet starts, to compare with the positions a reader
// records.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// ---------------------------------------------------------------- Blu-ray

inline constexpr size_t kPgHeaderSize = 13;     // "PG", PTS, DTS, type, size
inline constexpr size_t kPdsEntriesAt = 15;     // first palette entry, from the segment start
inline constexpr size_t kOdsFirstDataAt = 24;   // run-length data of a first fragment
inline constexpr size_t kOdsNextDataAt = 17;    // run-length data of a continuation
inline constexpr size_t kOdsMaxFirstData = 0xFFFF - 11;

enum class PgState : uint8_t { normal = 0x00, acquisition = 0x40, epochStart = 0x80 };

// One object placed by a composition.
struct PgPlacement {
  uint16_t objId = 0;
  uint8_t winId = 0;
  uint16_t x = 0, y = 0;
  bool forced = false;
  bool cropped = false;  // then crop x, y, width and height follow
  uint16_t crop[4] = {0, 0, 0, 0};
};

struct PgWindow {
  uint8_t id = 0;
  uint16_t x = 0, y = 0, width = 0, height = 0;
};

struct PgColor {
  uint8_t index = 0, y = 16, cr = 128, cb = 128, alpha = 0;
};

// Index 0 transparent, 1 white, 2 black, 3 grey, all opaque but the first.
std::vector<PgColor> pgDefaultPalette();

// A picture ready to be shown: where, how large, its run-length data and its palette.
struct PgImage {
  uint16_t x = 0, y = 0, width = 0, height = 0;
  Bytes rle;
  std::vector<PgColor> palette = pgDefaultPalette();
};
// A framed box with a bar inside, in indexes 1 to 3, as palette indexes row after row.
Bytes pgTestPixels(uint16_t width, uint16_t height);
// A width x height picture of palette indexes (row after row) at (x, y).
PgImage pgImageFrom(uint16_t x, uint16_t y, uint16_t width, uint16_t height, std::span<const uint8_t> indexes);
// A framed box with a bar inside, in indexes 1 to 3: something with edges to draw and read.
PgImage pgTestImage(uint16_t x, uint16_t y, uint16_t width, uint16_t height);

class PgStream {
 public:
  // Its compositions name this video size.
  explicit PgStream(uint16_t videoWidth = 1920, uint16_t videoHeight = 1080)
      : videoWidth_(videoWidth), videoHeight_(videoHeight) {}

  // Each call appends one segment with the given PTS (DTS 0) and returns the builder.
  PgStream& pcs(uint32_t pts, const std::vector<PgPlacement>& objects, PgState state = PgState::epochStart);
  PgStream& wds(uint32_t pts, const std::vector<PgWindow>& windows);
  PgStream& pds(uint32_t pts, const std::vector<PgColor>& colors, uint8_t paletteId = 0, uint8_t version = 0);
  // One object. Data longer than a first fragment holds is split into a first fragment,
  // continuations and a last fragment, as disc streams do.
  PgStream& ods(uint32_t pts, uint16_t objId, uint16_t width, uint16_t height, std::span<const uint8_t> rle);
  // One fragment exactly as given; width, height and the length of the whole object's data
  // (0: this fragment's) are written for a first fragment only.
  PgStream& odsFragment(uint32_t pts, uint16_t objId, bool first, bool last, std::span<const uint8_t> data,
                        uint16_t width = 0, uint16_t height = 0, uint32_t objectLength = 0);
  PgStream& end(uint32_t pts);
  // Any segment; `size` replaces the size field (the payload is written whole either way).
  PgStream& segment(uint32_t pts, uint8_t type, std::span<const uint8_t> payload,
                    std::optional<uint16_t> size = std::nullopt, uint32_t dts = 0);
  PgStream& raw(std::span<const uint8_t> bytes);

  // A whole display set that shows `image`: composition (the object in window 0), window,
  // palette, object, END.
  PgStream& show(uint32_t pts, const PgImage& image, PgState state = PgState::epochStart, uint16_t objId = 0);
  // The display set that clears the screen: a composition without objects, the window of
  // the last show(), END.
  PgStream& clear(uint32_t pts);

  size_t size() const { return bytes_.size(); }
  const Bytes& bytes() const { return bytes_; }

 private:
  uint16_t videoWidth_, videoHeight_;
  Bytes bytes_;
  PgWindow lastWindow_;
};

// ---------------------------------------------------------------- DVD and HD DVD

inline constexpr size_t kSpHeaderSize = 10;  // "SP", PTS, second time field

// One subpicture unit: the run-length data of both fields and the display control
// sequences. Commands go into the newest sequence (one with delay 0 is opened when none is).
class SpUnit {
 public:
  explicit SpUnit(bool hd = false) : hd_(hd) {}

  SpUnit& fields(Bytes top, Bytes bottom);
  SpUnit& sequence(uint16_t stm);
  // The newest sequence points to `address` (from the unit start) instead of the next one.
  SpUnit& nextAddress(uint32_t address);

  SpUnit& forceStart();                                       // FSTA_DSP
  SpUnit& start();                                            // STA_DSP
  SpUnit& stop();                                             // STP_DSP
  SpUnit& colors(uint16_t value = 0x3210);                    // SET_COLOR
  SpUnit& contrast(uint16_t value = 0xFFF0);                  // SET_CONTR
  SpUnit& area(uint16_t x1, uint16_t x2, uint16_t y1, uint16_t y2);  // SET_DAREA(2), 12 bits each
  SpUnit& fieldAddresses();                                   // SET_DSPXA(2): where fields() put them
  SpUnit& colorTable(std::span<const uint8_t> table768);      // SET_COLOR2
  SpUnit& contrastTable(std::span<const uint8_t> table256);   // SET_CONTR2
  SpUnit& endCommands();                                      // CMD_END
  SpUnit& command(std::span<const uint8_t> bytes);            // anything, as given
  // Bytes after the last sequence, inside the unit.
  SpUnit& padding(size_t n, uint8_t value = 0xFF);

  bool hd() const { return hd_; }
  size_t headerSize() const { return hd_ ? 10 : 4; }
  // Offset of the control area from the unit start.
  size_t controlOffset() const { return headerSize() + top_.size() + bottom_.size(); }
  Bytes build() const;

 private:
  struct Sequence {
    uint16_t stm = 0;
    std::optional<uint32_t> next;
    Bytes commands;
  };
  bool hd_;
  Bytes top_, bottom_;
  std::vector<Sequence> sequences_;
  Bytes padding_;
  Sequence& current();
};

// A unit that shows a width x height picture at (x, y) from `pts` + 0 and, when `duration`
// (in units of 1024 ticks) is given, stops after it: the usual single-subtitle unit.
SpUnit spTestUnit(bool hd, uint16_t x, uint16_t y, uint16_t width, uint16_t height,
                  std::optional<uint16_t> duration = std::nullopt);

class SpStream {
 public:
  SpStream& packet(uint32_t pts, const SpUnit& unit, uint32_t secondTime = 0);
  SpStream& raw(std::span<const uint8_t> bytes);

  size_t size() const { return bytes_.size(); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// ---------------------------------------------------------------- run-length coding

// Blu-ray object data of a width x height picture of palette indexes.
Bytes pgRle(uint16_t width, uint16_t height, std::span<const uint8_t> indexes);
// DVD (2-bit indexes) or HD DVD (8-bit indexes) data of both fields: even rows in the first,
// odd rows in the second.
std::pair<Bytes, Bytes> spRle(bool hd, uint16_t width, uint16_t height, std::span<const uint8_t> indexes);
