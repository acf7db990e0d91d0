#pragma once
// Subtitle tracks of the containers FFmpeg's demuxing library opens for the program: Matroska
// files (".mkv", ".mks"), MPEG transport streams (".m2ts", ".ts"), program streams (".vob", or a ".sub" without its index)
// and VobSub pairs (".idx" with its ".sub"). The library delivers the track's packets only;
// putting them together and reading them is the program's.
#include <memory>
#include <string>

#include "readers/container.h"

struct AVFormatContext;

class AvContainer : public Container {
 public:
  // Opens path when the library takes it for one of `formats` (its names, comma-separated);
  // nullptr when it does not. subFile names the picture file of a VobSub index. Throws
  // ContainerError when the file is of such a format but its streams cannot be found.
  static std::unique_ptr<AvContainer> open(const std::string& path, const std::string& formats,
                                           const std::string& subFile = "");
  ~AvContainer() override;
  AvContainer(const AvContainer&) = delete;
  AvContainer& operator=(const AvContainer&) = delete;

  TrackData read(const SubtitleTrack& track, const ReadProgress& progress) override;

 private:
  explicit AvContainer(AVFormatContext* fmt);
  AVFormatContext* fmt_;
};
