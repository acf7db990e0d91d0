#pragma once
// "Read SUP" of a video file or VobSub pair: its subtitle track (the user's choice when there
// are several) is taken out into memory as a stream, which is then read as a stream file is.
#include <optional>
#include <string>

#include "readers/stream_file.h"

class App;

enum class TrackLoad {
  notContainer,  // path is no video file or VobSub pair
  failed,        // it is one, but no track was read; the log says why
  loaded,        // file views the track's stream, and the list's source names the track
};

TrackLoad loadContainerTrack(App& app, const std::string& path, std::optional<StreamFile>& file);

// The window's caption, naming the video file and track the list came from.
std::string captionForSource(const App& app);
