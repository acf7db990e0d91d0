#pragma once
// Where the list's records point: the stream file named in the file box, or a subtitle track
// of a video file, taken out into memory when it was read. Whatever reopens the stream to
// draw or write a subtitle gets it from openListStream.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "readers/dvd_index.h"
#include "readers/stream_file.h"

struct ListSource {
  std::string trackFile;  // the video file or VobSub index the track came from; "" for a stream file
  int trackNumber = -1;
  std::shared_ptr<const std::vector<uint8_t>> trackStream;  // the track as a stream
  std::optional<DvdIndex> dvdIndex;  // the palette and size a DVD track came with

  bool fromTrack() const { return trackStream != nullptr; }
  void forgetSource() { *this = ListSource{}; }
};

// The stream the list was read from; throws FileError when a stream file cannot be opened.
StreamFile openListStream(const ListSource& source, const std::string& fileBox);

// The name outputs take after the list's source, without folder: the stream file's name
// without its extension ("movie" for movie.sup), or for a track of a video file that name and
// the track ("movie.track3").
std::string listSourceName(const ListSource& source, const std::string& streamPath);
