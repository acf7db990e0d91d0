// Matroska files of the layouts muxers seldom write, made element by element: the track's
// frames come out the same through the index, without it, from clusters of unknown size,
// compressed, and up to the damage in a cut file.
#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

#include "readers/container.h"
#include "readers/matroska_container.h"
#include "readers/matroska_ids.h"
#include "support/ebml_builder.h"

namespace {
using ebml::Bytes;
constexpr uint64_t kVideo = 1, kSubtitles = 17;

// A frame of one END segment whose payload byte tells the frames apart.
Bytes frame(uint8_t tag) { return {0x80, 0, 1, tag}; }

// What the readers get for that frame at a time in milliseconds.
Bytes expectedPg(uint32_t ms, uint8_t tag) {
  const uint32_t t = ms * 90;
  return {'P', 'G', uint8_t(t >> 24), uint8_t(t >> 16), uint8_t(t >> 8), uint8_t(t), 0, 0, 0, 0, 0x80, 0, 1, tag};
}

Bytes concat(const std::vector<Bytes>& parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::unique_ptr<MatroskaContainer> open(const Bytes& file) {
  return std::make_unique<MatroskaContainer>(StreamFile(std::make_shared<const Bytes>(file)));
}

TrackData readTrack(const Bytes& file, int number) {
  auto c = open(file);
  for (const SubtitleTrack& t : c->tracks())
    if (t.number == number) return c->read(t, [](uint64_t, uint64_t) {});
  ADD_FAILURE() << "no track " << number;
  return {};
}

const std::vector<Bytes> kEntries = {
    ebml::trackEntry(1, kVideo, "V_MPEG4/ISO/AVC"),
    ebml::trackEntry(2, kSubtitles, "S_HDMV/PGS"),
    ebml::trackEntry(3, kSubtitles, "S_HDMV/PGS"),
};

// Three clusters at 0, 5 and 10 seconds; video blocks between the subtitles of tracks 2 and 3.
const std::vector<std::vector<Bytes>> kClusters = {
    {ebml::simpleBlock(1, 0, Bytes(300, 0xEE)), ebml::simpleBlock(2, 100, frame(1)),
     ebml::simpleBlock(3, 100, frame(0x31)), ebml::simpleBlock(1, 40, Bytes(300, 0xEE)),
     ebml::simpleBlock(2, 2000, frame(2))},
    {ebml::simpleBlock(1, 0, Bytes(300, 0xEE)), ebml::blockGroup(2, -20, frame(3))},
    {ebml::simpleBlock(2, 0, frame(4)), ebml::simpleBlock(1, 0, Bytes(300, 0xEE))},
};
const std::vector<uint64_t> kTimes = {0, 5000, 10000};
const Bytes kTrack2 = concat({expectedPg(100, 1), expectedPg(2000, 2), expectedPg(4980, 3), expectedPg(10000, 4)});
const std::vector<ebml::Cue> kExactCues = {{2, 0, 1}, {2, 0, 4}, {2, 1, 1}, {2, 2, 0}};

Bytes statisticsTag(uint64_t uid, const std::string& frames) {
  using namespace mkv;
  const Bytes simple = ebml::element(kSimpleTag, ebml::cat({ebml::text(kTagName, "NUMBER_OF_FRAMES"), ebml::text(kTagString, frames)}));
  return ebml::element(kTags, ebml::element(kTag, ebml::cat({ebml::element(kTargets, ebml::uint(kTagTrackUid, uid)), simple})));
}
}  // namespace

TEST(MatroskaFile, TheTrackIsTheSameWhicheverWayItsBlocksAreFound) {
  struct Case {
    const char* what;
    std::vector<ebml::Cue> cues;
    Bytes tags;
  };
  const std::vector<Case> cases = {
      {"the index gives each block", kExactCues, {}},
      {"no index", {}, {}},
      {"the index gives clusters only", {{2, 0, -1}, {2, 0, -1}, {2, 1, -1}, {2, 2, -1}}, {}},
      {"the index misses a block the tags count", {{2, 0, 1}, {2, 0, 4}, {2, 1, 1}}, statisticsTag(1002, "4")},
      {"the index points at other blocks", {{2, 0, 0}, {2, 0, 2}, {2, 1, 0}, {2, 2, 1}}, {}},
  };
  for (const Case& c : cases) {
    const TrackData d = readTrack(ebml::file(kEntries, kClusters, kTimes, c.cues, c.tags), 1);
    EXPECT_EQ(d.stream, kTrack2) << c.what;
    EXPECT_EQ(d.damage, "") << c.what;
  }
  EXPECT_EQ(readTrack(ebml::file(kEntries, kClusters, kTimes, kExactCues), 2).stream, expectedPg(100, 0x31));
}

TEST(MatroskaFile, ClustersOfUnknownSizeEndAtTheNextCluster) {
  Bytes segment = ebml::cat({ebml::element(mkv::kInfo, ebml::uint(mkv::kTimestampScale, 1000000)),
                             ebml::element(mkv::kTracks, concat(kEntries))});
  for (size_t i = 0; i < kClusters.size(); ++i)
    segment = ebml::cat({segment, ebml::unknownSize(mkv::kCluster, ebml::cat({ebml::uint(mkv::kTimestamp, kTimes[i]), concat(kClusters[i])}))});
  const TrackData d = readTrack(ebml::cat({ebml::header(), ebml::unknownSize(mkv::kSegment, segment)}), 1);
  EXPECT_EQ(d.stream, kTrack2);
  EXPECT_EQ(d.damage, "");
}

TEST(MatroskaFile, CompressedFramesAreRestored) {
  const Bytes whole = frame(7);
  Bytes packed(64);
  uLongf packedSize = packed.size();
  ASSERT_EQ(compress(packed.data(), &packedSize, whole.data(), whole.size()), Z_OK);
  packed.resize(packedSize);
  const auto encoding = [](uint64_t algo, const Bytes& settings) {
    using namespace mkv;
    const Bytes compression = ebml::element(kContentCompression, ebml::cat({ebml::uint(kContentCompAlgo, algo), settings}));
    return ebml::element(kContentEncodings, ebml::element(kContentEncoding, compression));
  };
  struct Case {
    const char* what;
    Bytes encodings, stored;
    Bytes expected;
    TrackKind kind;
  };
  const std::vector<Case> cases = {
      {"zlib", encoding(0, {}), packed, expectedPg(1000, 7), TrackKind::bluRay},
      {"header stripping", encoding(3, ebml::element(mkv::kContentCompSettings, {0x80, 0})), {1, 7}, expectedPg(1000, 7),
       TrackKind::bluRay},
      {"a damaged zlib frame", encoding(0, {}), Bytes(packed.begin(), packed.end() - 3), {}, TrackKind::bluRay},
      {"bzlib: not read", encoding(1, {}), whole, {}, TrackKind::other},
  };
  for (const Case& c : cases) {
    const Bytes file = ebml::file({ebml::trackEntry(1, kSubtitles, "S_HDMV/PGS", c.encodings)},
                                  {{ebml::simpleBlock(1, 0, c.stored)}}, {1000}, {});
    auto container = open(file);
    ASSERT_EQ(container->tracks().size(), 1u);
    EXPECT_EQ(container->tracks()[0].kind, c.kind) << c.what;
    if (c.kind == TrackKind::other) continue;
    const TrackData d = container->read(container->tracks()[0], [](uint64_t, uint64_t) {});
    EXPECT_EQ(d.stream, c.expected) << c.what;
    EXPECT_EQ(d.damage.empty(), !c.expected.empty()) << c.what;
  }
}

TEST(MatroskaFile, ACutFileKeepsTheFramesBeforeTheCut) {
  const Bytes whole = ebml::file(kEntries, kClusters, kTimes, {});
  // The last cluster ends with a subtitle block of 17 bytes and a video block of 313.
  struct Case {
    size_t cutOff;
    Bytes expected;
  };
  const std::vector<Case> cases = {
      {310, kTrack2},  // inside the video block's header: every subtitle frame is whole
      {318, concat({expectedPg(100, 1), expectedPg(2000, 2), expectedPg(4980, 3)})},  // inside the last frame
  };
  for (const Case& c : cases) {
    const TrackData d = readTrack(Bytes(whole.begin(), whole.end() - std::ptrdiff_t(c.cutOff)), 1);
    EXPECT_EQ(d.stream, c.expected) << c.cutOff;
    EXPECT_EQ(d.damage, "Damaged Matroska file.") << c.cutOff;
  }
}

TEST(MatroskaFile, LacedBlocksAreNoSubtitleFrames) {
  const Bytes file = ebml::file({kEntries[1]}, {{ebml::simpleBlock(2, 0, frame(1), 0x82), ebml::simpleBlock(2, 5, frame(2))}},
                                {0}, {});
  EXPECT_EQ(readTrack(file, 0).stream, expectedPg(5, 2));
}

TEST(MatroskaFile, TracksAreListedWithWhatTheFileSays) {
  using namespace mkv;
  const std::vector<Bytes> entries = {
      ebml::trackEntry(1, kVideo, "V_MPEG4/ISO/AVC"),
      ebml::trackEntry(2, kSubtitles, "S_HDMV/PGS", ebml::cat({ebml::text(kLanguage, "ger"), ebml::text(kName, "Forced")})),
      ebml::trackEntry(5, kSubtitles, "S_VOBSUB", ebml::cat({ebml::text(kLanguage, "fre"), ebml::text(kLanguageBcp47, "fr-CA")})),
      ebml::trackEntry(6, kSubtitles, "S_TEXT/UTF8"),
  };
  auto c = open(ebml::file(entries, {}, {}, {}, statisticsTag(1005, "1234")));
  const std::vector<std::string> expected = {
      "1: ger, Blu-ray (PGS), \"Forced\"",
      "2: fr-CA, DVD (VobSub), 1234 packets",
      "3: eng, S_TEXT/UTF8",
  };
  ASSERT_EQ(c->tracks().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(describeTrack(c->tracks()[i]), expected[i]);
}

TEST(MatroskaFile, DamagedDescriptionsAreRefused) {
  const Bytes good = ebml::file(kEntries, kClusters, kTimes, {});
  struct Case {
    const char* what;
    Bytes file;
  };
  const std::vector<Case> cases = {
      {"not Matroska", ebml::cat({ebml::element(mkv::kEbml, ebml::text(mkv::kDocType, "other")), Bytes(20, 0)})},
      {"no segment", ebml::cat({ebml::header(), ebml::element(mkv::kInfo, {})})},
      {"a header cut short", Bytes(good.begin(), good.begin() + 6)},
      {"a scale of 0", ebml::cat({ebml::header(), ebml::element(mkv::kSegment, ebml::element(mkv::kInfo, ebml::uint(mkv::kTimestampScale, 0)))})},
      {"a number longer than eight bytes", ebml::cat({ebml::header(), Bytes{0x18, 0x53, 0x80, 0x67, 0x00, 1}})},
  };
  for (const Case& c : cases) EXPECT_THROW(open(c.file), ContainerError) << c.what;
}
