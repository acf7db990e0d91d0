#pragma once
// The frames of one subtitle track of a Matroska file, in file order. Where the file's index
// lists every block of the track, only those blocks are read, so that the time grows with the
// subtitles and not with the video around them; otherwise every cluster is walked, reading
// only the headers of the other tracks' blocks.
#include <string>

#include "readers/container.h"
#include "readers/matroska_layout.h"
#include "readers/track_stream.h"

// Puts each frame into out; returns why the read stopped early ("" when it did not). Frames
// read before damage stay in out.
std::string readMatroskaFrames(const StreamFile& f, const MatroskaLayout& layout, const MatroskaTrack& track,
                               TrackStream& out, const ReadProgress& progress);
