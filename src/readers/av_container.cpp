#include "readers/av_container.h"

#include <string_view>

#include "readers/stream_file.h"
#include "readers/track_stream.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

namespace {
constexpr AVRational kTicks = {1, 90000};

std::string errorText(int rc) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(rc, text, sizeof text);
  return text;
}

std::string tag(const AVStream* st, const char* key) {
  const AVDictionaryEntry* e = av_dict_get(st->metadata, key, nullptr, 0);
  return e ? e->value : "";
}

// The count of frames a Matroska muxer may store in the track's statistics tags.
uint64_t countTag(const AVStream* st) {
  for (const char* key : {"NUMBER_OF_FRAMES", "NUMBER_OF_FRAMES-eng"}) {
    const std::string value = tag(st, key);
    if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos && value.size() < 19)
      return std::stoull(value);
  }
  return 0;
}

TrackKind kindOf(AVCodecID id) {
  if (id == AV_CODEC_ID_HDMV_PGS_SUBTITLE) return TrackKind::bluRay;
  if (id == AV_CODEC_ID_DVD_SUBTITLE) return TrackKind::dvd;
  return TrackKind::other;
}

struct PacketDeleter {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
}  // namespace

std::unique_ptr<AvContainer> AvContainer::open(const std::string& path, const std::string& formats,
                                               const std::string& subFile) {
  // The program reports what went wrong itself, in its own log.
  av_log_set_level(AV_LOG_QUIET);
  AVFormatContext* fmt = nullptr;
  AVDictionary* options = nullptr;
  av_dict_set(&options, "format_whitelist", formats.c_str(), 0);
  if (!subFile.empty()) av_dict_set(&options, "sub_name", subFile.c_str(), 0);
  const int rc = avformat_open_input(&fmt, path.c_str(), nullptr, &options);
  av_dict_free(&options);
  if (rc < 0) return nullptr;
  std::unique_ptr<AvContainer> c(new AvContainer(fmt));
  if (const int found = avformat_find_stream_info(fmt, nullptr); found < 0)
    throw ContainerError("Cannot find the streams of the file: " + errorText(found));
  // A VobSub index lists the units of each of its tracks, in the order the library makes them.
  std::optional<DvdIndex> index;
  if (std::string_view(fmt->iformat->name) == "vobsub") {
    const StreamFile text(path);
    const auto bytes = text.at(0, text.size());
    index = parseDvdIndex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  size_t subtitleStreams = 0;
  for (unsigned i = 0; i < fmt->nb_streams; ++i) {
    const AVStream* st = fmt->streams[i];
    if (st->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE) continue;
    SubtitleTrack t;
    t.number = int(i);
    t.kind = kindOf(st->codecpar->codec_id);
    t.codec = avcodec_get_name(st->codecpar->codec_id);
    t.language = tag(st, "language");
    t.name = tag(st, "title");
    if (st->nb_frames > 0) t.packets = uint64_t(st->nb_frames);
    else if (const uint64_t counted = countTag(st); counted > 0) t.packets = counted;
    else if (index && subtitleStreams < index->tracks.size()) t.packets = index->tracks[subtitleStreams].units;
    ++subtitleStreams;
    c->tracks_.push_back(t);
  }
  return c;
}

AvContainer::AvContainer(AVFormatContext* fmt) : fmt_(fmt) {}

AvContainer::~AvContainer() { avformat_close_input(&fmt_); }

TrackData AvContainer::read(const SubtitleTrack& track, const ReadProgress& progress) {
  TrackData data;
  if (track.number < 0 || unsigned(track.number) >= fmt_->nb_streams) return data;
  const AVStream* st = fmt_->streams[track.number];
  for (unsigned i = 0; i < fmt_->nb_streams; ++i)
    fmt_->streams[i]->discard = int(i) == track.number ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  TrackStream out(track.kind);
  const std::unique_ptr<AVPacket, PacketDeleter> pkt(av_packet_alloc());
  const int64_t total = fmt_->pb ? avio_size(fmt_->pb) : 0;
  int rc;
  while ((rc = av_read_frame(fmt_, pkt.get())) >= 0) {
    if (pkt->stream_index == track.number) {
      const int64_t time = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
      const bool hasTime = time != AV_NOPTS_VALUE;
      out.add({pkt->data, size_t(pkt->size)}, hasTime ? av_rescale_q(time, st->time_base, kTicks) : 0, hasTime);
      if (fmt_->pb && total > 0) progress(uint64_t(avio_tell(fmt_->pb)), uint64_t(total));
    }
    av_packet_unref(pkt.get());
  }
  if (rc != AVERROR_EOF) data.damage = errorText(rc);
  data.stream = out.take();
  data.brokenUnits = out.brokenUnits();
  const AVCodecParameters* par = st->codecpar;
  if (track.kind == TrackKind::dvd && par->extradata_size > 0)
    data.dvdIndex = parseDvdIndex(std::string_view(reinterpret_cast<const char*>(par->extradata), size_t(par->extradata_size)));
  return data;
}
