#pragma once
// A video file or VobSub pair that holds subtitle tracks: Matroska files, MPEG transport and
// program streams, VobSub index and picture pairs. It lists its subtitle tracks and reads one
// of them into the stream form the readers take; reading that stream is theirs.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "readers/dvd_index.h"
#include "readers/subtitle_track.h"

// A file that is damaged where it describes itself (its tracks, its layout).
class ContainerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TrackData {
  std::vector<uint8_t> stream;       // "PG" segments or "SP" packets
  std::optional<DvdIndex> dvdIndex;  // the palette and size a DVD track comes with
  std::string damage;                // why the read stopped before the end ("" when it did not)
  size_t brokenUnits = 0;            // DVD units left out because they were incomplete
};

// Bytes of the file passed so far, of all.
using ReadProgress = std::function<void(uint64_t done, uint64_t total)>;

class Container {
 public:
  virtual ~Container() = default;
  // Every subtitle track, readable or not, in the file's order.
  const std::vector<SubtitleTrack>& tracks() const { return tracks_; }
  // Reads the packets of one of tracks() (of kind bluRay or dvd).
  virtual TrackData read(const SubtitleTrack& track, const ReadProgress& progress) = 0;

 protected:
  std::vector<SubtitleTrack> tracks_;
};

// Opens path as a container; nullptr when it is of no kind listed above. Throws ContainerError
// when it is of such a kind but cannot be read, FileError when it cannot be opened.
std::unique_ptr<Container> openContainer(const std::string& path);
