#pragma once
// Turns the display sets of a Blu-ray stream into the subtitle list: one subtitle for each
// picture a viewer sees, from the composition that first shows it to the one that replaces
// or clears it.
#include <functional>
#include <string>
#include <vector>

#include "model/subtitle.h"
#include "readers/pg_epoch.h"

class StreamFile;

// A composition segment: what its display set shows once the set is complete.
struct PgComposition {
  uint32_t pts = 0;
  uint16_t videoWidth = 0, videoHeight = 0;
  uint8_t paletteId = 0;
  std::vector<TSUPObject> objects;  // placements only: the epoch holds the objects' data
};

class PgSubtitleMaker {
 public:
  using Log = std::function<void(const std::string&)>;
  // `detail` (when set) receives the lines of the packet-by-packet log that say what each
  // composition did to the list; `file` holds the objects' data, to tell whether two
  // pictures are the same.
  PgSubtitleMaker(std::vector<TSUP>& subs, const StreamFile& file, Log detail);

  // A complete display set: its composition applied to the epoch as it stands.
  // - no object to show: the subtitle on screen ends;
  // - the objects on screen again, in the same places: the subtitle continues (an
  //   acquisition point), also with another palette (a fade), whose most opaque palette it
  //   keeps;
  // - anything else: the subtitle on screen ends and a new one starts.
  void show(const PgComposition& c, const PgEpoch& epoch);

 private:
  std::vector<TSUP>& subs_;
  const StreamFile& file_;
  Log detail_;
  bool onScreen_ = false;  // the newest subtitle is shown and has no end yet
  std::array<uint32_t, 256> lastEntries_{};  // the palette of the last composition that showed it
  uint32_t bestOpacity_ = 0;                 // of the palette it keeps

  std::vector<TSUPObject> placed(const PgComposition& c, const PgEpoch& epoch) const;
  bool samePicture(const std::vector<TSUPObject>& a, const std::vector<TSUPObject>& b) const;
  bool sameData(const std::vector<TSUPData>& a, const std::vector<TSUPData>& b) const;
  void start(const PgComposition& c, std::vector<TSUPObject> objects, const PgPaletteDef& palette);
  void end(uint32_t pts);
  // Builds a line of the detailed log only when one is written.
  template <typename Text>
  void note(Text text) const {
    if (detail_) detail_(text());
  }
  std::string newest() const { return std::to_string(subs_.size()); }
};

// Sets the area records of s around its objects (see areaOf).
void placeAreas(TSUP& s);
