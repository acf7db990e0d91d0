#pragma once
// Video files and VobSub pairs made from the sample streams by other programs (the ffmpeg
// command and mkvtoolnix) in a temporary folder. Tests skip when a tool or the samples are
// missing.
#include <string>

// Why such files cannot be made here ("" when they can).
std::string containerToolsMissing();
// A sample stream's path, e.g. samplePath("pgs/sintel-en.sup").
std::string samplePath(const std::string& name);
// Runs a shell command with its output discarded; whether it succeeded.
bool runQuietly(const std::string& command);
