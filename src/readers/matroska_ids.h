#pragma once
// The element IDs of Matroska files that the track reader looks at, with their length markers.
#include <cstdint>

namespace mkv {
constexpr uint32_t kEbml = 0x1A45DFA3, kDocType = 0x4282;
constexpr uint32_t kSegment = 0x18538067;
constexpr uint32_t kSeekHead = 0x114D9B74, kSeek = 0x4DBB, kSeekId = 0x53AB, kSeekPosition = 0x53AC;
constexpr uint32_t kInfo = 0x1549A966, kTimestampScale = 0x2AD7B1;
constexpr uint32_t kTracks = 0x1654AE6B, kTrackEntry = 0xAE, kTrackNumber = 0xD7, kTrackUid = 0x73C5,
                   kTrackType = 0x83, kCodecId = 0x86, kCodecPrivate = 0x63A2, kLanguage = 0x22B59C,
                   kLanguageBcp47 = 0x22B59D, kName = 0x536E;
constexpr uint32_t kContentEncodings = 0x6D80, kContentEncoding = 0x6240, kContentEncodingScope = 0x5032,
                   kContentEncodingType = 0x5033, kContentCompression = 0x5034, kContentCompAlgo = 0x4254,
                   kContentCompSettings = 0x4255;
constexpr uint32_t kCues = 0x1C53BB6B, kCuePoint = 0xBB, kCueTrackPositions = 0xB7, kCueTrack = 0xF7,
                   kCueClusterPosition = 0xF1, kCueRelativePosition = 0xF0;
constexpr uint32_t kTags = 0x1254C367, kTag = 0x7373, kTargets = 0x63C0, kTagTrackUid = 0x63C5,
                   kSimpleTag = 0x67C8, kTagName = 0x45A3, kTagString = 0x4487;
constexpr uint32_t kCluster = 0x1F43B675, kTimestamp = 0xE7, kSimpleBlock = 0xA3, kBlockGroup = 0xA0,
                   kBlock = 0xA1;
constexpr uint32_t kChapters = 0x1043A770, kAttachments = 0x1941A469;

constexpr uint64_t kSubtitleTrackType = 0x11;

// Elements directly inside the segment: one of them ends a cluster whose size is unknown.
constexpr bool isTopLevel(uint32_t id) {
  return id == kSeekHead || id == kInfo || id == kTracks || id == kCues || id == kTags || id == kCluster ||
         id == kChapters || id == kAttachments;
}
}  // namespace mkv
