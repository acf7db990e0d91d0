#pragma once
// FFmpeg as an independent reader of SRT files, as video players read them.
#include <string>
#include <vector>

struct FFmpegCue {
  std::string start, end;  // "hh:mm:ss,zzz"
  std::string text;        // UTF-8, lines joined with '|', tags taken out
};

// The cues FFmpeg reads from an SRT file (with -sub_charenc `charset` unless it is empty);
// FFmpeg's messages go to `errors`.
std::vector<FFmpegCue> ffmpegSrtCues(const std::string& srt, const std::string& charset, const std::string& workDir,
                                     std::string& errors);

// The text without the <i>, <b> and <u> tags that FFmpeg rewrites.
std::string withoutTags(std::string text);
