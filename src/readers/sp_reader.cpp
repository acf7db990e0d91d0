#include "readers/sp_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "model/file_error.h"
#include "readers/hex_text.h"
#include "readers/read_progress.h"
#include "readers/sp_commands.h"
#include "readers/subtitle_times.h"

namespace {
constexpr uint16_t kTagSP = 0x5350;
constexpr uint32_t kProgressEvery = 200;
constexpr uint32_t kStmUnit = 1024;       // ticks per unit of a sequence's delay
constexpr uint32_t kEndBeforeNext = 90;   // an open subtitle ends one millisecond before the next

enum Command : uint8_t {
  kFstaDsp = 0x00,
  kStaDsp = 0x01,
  kStpDsp = 0x02,
  kSetDarea = 0x05,
  kSetDspxa = 0x06,
  kSetColor = 0x03,
  kSetContr = 0x04,
  kChgColcon = 0x07,
  kSetColor2 = 0x83,
  kSetContr2 = 0x84,
  kSetDarea2 = 0x85,
  kSetDspxa2 = 0x86,
  kChgColcon2 = 0x87,
};

class SpReader {
 public:
  SpReader(SubtitleList& list, ReadState& rs)
      : list_(list), rs_(rs), log_(rs.log), f_(rs.file), details_(rs.details) {}

  void run() {
    while (!f_.atEnd()) {
      const uint16_t tag = f_.rd16();
      pts_ = f_.rd32le();
      const uint32_t secondTime = f_.rd32le();
      if (tag != kTagSP || secondTime != 0) {
        rs_.formatError = true;
        rs_.count = 0;
        return;
      }
      if (!details_ && rs_.count % kProgressEvery == 0) reportReadProgress(rs_.progress, f_);
      ++rs_.count;
      if (details_) log_.log("------------------------------------");
      u_ = f_.pos();
      TSUP& s = list_.appendSub();
      s.num = int32_t(rs_.count);
      s.textOk = 0;
      if (details_) log_.log(hexStr(u_, 8) + ": SPUH (" + std::to_string(rs_.count) + ") PTS: " + hexStr(pts_, 8));
      std::span<const uint8_t> area;
      try {
        area = readUnitLayout(s);
      } catch (const FileError&) {
        // The unit is not in the file whole: its subtitle would have neither times nor
        // area, so only the ones before it stay.
        list_.subs.pop_back();
        --rs_.count;
        throw;
      }
      StreamFile ctl(area);
      if (!runControlArea(s, ctl)) return;
      setPlaceholder(s, rs_.count);
    }
  }

 private:
  SubtitleList& list_;
  ReadState& rs_;
  LogSink& log_;
  StreamFile& f_;
  const bool details_;
  uint32_t pts_ = 0;    // of the current packet
  uint64_t u_ = 0;      // file offset of the unit start
  uint64_t g_ = 0;      // file offset of the control area
  uint64_t ctlLen_ = 0; // length of the control area as the unit gives it
  unsigned addrWidth_ = 2;

  // Reads the unit header, passes the run-length data and takes the control area into
  // streamBuf; returns the part of streamBuf that holds it. Throws "Stream read error" when
  // the sizes reach beyond the unit or the file.
  std::span<const uint8_t> readUnitLayout(TSUP& s) {
    const uint16_t firstWord = f_.rd16();
    uint32_t unitSize, ctlOfs;
    const bool hd = firstWord == 0;
    if (hd) {
      unitSize = f_.rd32();
      ctlOfs = f_.rd32();
      addrWidth_ = 4;
    } else {
      unitSize = firstWord;
      ctlOfs = f_.rd16();
      addrWidth_ = 2;
    }
    const uint64_t pixelStart = f_.pos();
    // A control area placed inside the header would give a negative length of pixel data.
    if (u_ + ctlOfs < pixelStart) throw streamReadError();
    const uint64_t dataLen = u_ + ctlOfs - pixelStart;
    s.win[0].dataLen = uint32_t(dataLen);
    if (details_) log_.log(hexStr(pixelStart, 8) + ": PXD [" + hexStr(dataLen, 6) + "]");
    f_.skip(dataLen);
    g_ = f_.pos();
    // A control area too short for one sequence header (delay and next address) cannot be
    // read: the unit's sizes are inconsistent, which is treated as a short read.
    if (uint64_t(unitSize) < uint64_t(ctlOfs) + 2 + addrWidth_) throw streamReadError();
    ctlLen_ = u_ + unitSize - g_;
    const auto area = f_.take(ctlLen_);
    // The commands of a unit take a few hundred bytes at most; of a longer control area
    // (padding) only what fits streamBuf is read for commands, and the rest is passed over.
    const size_t kept = size_t(std::min<uint64_t>(area.size(), list_.streamBuf.size()));
    std::memcpy(list_.streamBuf.data(), area.data(), kept);
    // Only a unit that is whole decides the kind of the list.
    list_.subFormat = hd ? sfHDDVD : sfDVD;
    return {list_.streamBuf.data(), kept};
  }

  // Walks the display control sequences; returns false when an unknown command ends the read.
  // Bytes a sequence header or a command's parameters would take beyond the control area
  // read as 0; a command never starts beyond it.
  bool runControlArea(TSUP& s, StreamFile& ctl) {
    const uint64_t len = ctl.size();
    uint64_t o = 0;
    do {
      const uint32_t stm = ctl.be16At(o);
      if (details_) {
        log_.log("          ----");
        log_.log(hexStr(g_ + o, 8) + ": SP_DCSQ_STM: " + hexStr(stm, 4));
      }
      o += 2;
      uint64_t next = (addrWidth_ == 2 ? ctl.be16At(o) : ctl.be32At(o)) + u_;
      o += addrWidth_;
      if (details_) log_.log(hexStr(g_ + o - 4, 8) + ": SP_NXT_DCSQ_SA: " + hexStr(next, 8));
      if (g_ + o > next) next = g_ + ctlLen_;  // the last sequence points to itself
      const uint32_t t = pts_ + stm * kStmUnit;
      while (o < len) {
        const uint8_t c = ctl.byteAt(o);
        if (!isSpCommand(c)) {
          log_.log("Unknown command: " + hexStr(c, 2));
          return false;
        }
        const std::string params = command(s, ctl, c, o, t);
        if (details_) log_.log(hexStr(g_ + o, 8) + ": " + cmdName[c] + " " + params);
        if (c == kChgColcon || c == kChgColcon2) o += 3 + ctl.be16At(o + 1);
        else o += 1 + cmdLen[c];
        if (g_ + o >= next) break;
      }
    } while (o + 1 < len);
    return true;
  }

  // Carries out command c at offset o of a sequence whose time is t; returns the parameter
  // text of its log line.
  std::string command(TSUP& s, StreamFile& ctl, uint8_t c, uint64_t o, uint32_t t) {
    TSUPWin& w = s.win[0];
    switch (c) {
      case kFstaDsp:
      case kStaDsp: {
        setStart(s, t);
        auto& subs = list_.subs;
        if (subs.size() >= 2) {
          TSUP& before = subs[subs.size() - 2];
          // A start within the first millisecond ends it right there, not before tick 0.
          if (before.endPts == 0) setEnd(before, t > kEndBeforeNext ? t - kEndBeforeNext : t);
        }
        return "";
      }
      case kStpDsp: setEnd(s, t); return "";
      case kSetDarea:
      case kSetDarea2: {
        // Each value keeps 11 of the 12 bits the command carries.
        uint8_t b[6];
        for (int i = 0; i < 6; ++i) b[i] = ctl.byteAt(o + 1 + uint64_t(i));
        w.x1 = uint16_t((b[0] & 0x7F) * 16 + (b[1] >> 4));
        w.x2 = uint16_t((b[1] & 0x07) * 256 + b[2]);
        w.y1 = uint16_t((b[3] & 0x7F) * 16 + (b[4] >> 4));
        w.y2 = uint16_t((b[4] & 0x07) * 256 + b[5]);
        if (!details_) return "";
        return "(" + std::to_string(w.x1) + ", " + std::to_string(w.y1) + ") - (" + std::to_string(w.x2) + ", " +
               std::to_string(w.y2) + ")";
      }
      case kSetDspxa:
        w.dataPos = uint32_t(u_ + ctl.be16At(o + 1));
        w.nextPos = uint32_t(u_ + ctl.be16At(o + 3));
        return details_ ? "top: " + hexStr(w.dataPos, 4) + ", bottom: " + hexStr(w.nextPos, 4) : "";
      case kSetDspxa2:
        w.dataPos = uint32_t(u_ + ctl.be32At(o + 1));
        w.nextPos = uint32_t(u_ + ctl.be32At(o + 5));
        return details_ ? "top: " + hexStr(w.dataPos, 8) + ", bottom: " + hexStr(w.nextPos, 8) : "";
      case kSetColor2:
        s.colorOfs = uint32_t(o + 1);
        s.palCount = 256;
        return "";
      case kSetContr2: s.contrOfs = uint32_t(o + 1); return "";
      // Where a DVD unit picks its four colours from a VobSub index's sixteen.
      case kSetColor:
      case kSetContr:
        if (list_.subFormat == sfDVD && o + 1 + cmdLen[c] <= ctl.size())
          (c == kSetColor ? s.colorOfs : s.contrOfs) = uint32_t(g_ + o + 1);
        return "";
      default: return "";  // CHG_COLCON(2), CMD_END: nothing to record
    }
  }
};
}  // namespace

void readSP(SubtitleList& list, ReadState& rs) {
  readEndingEverySubtitle(list.subs, rs.count, [&](const std::string& line) { rs.log.log(line); },
                          [&] { SpReader(list, rs).run(); });
}
