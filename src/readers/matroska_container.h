#pragma once
// Subtitle tracks of a Matroska file (".mkv", ".mks"), read by the program itself so that a
// track is taken through the file's index without reading the video.
#include "readers/container.h"
#include "readers/matroska_layout.h"

class MatroskaContainer : public Container {
 public:
  // Throws ContainerError when the file is damaged where it describes itself.
  explicit MatroskaContainer(StreamFile file);
  TrackData read(const SubtitleTrack& track, const ReadProgress& progress) override;

 private:
  StreamFile file_;
  MatroskaLayout layout_;
};
