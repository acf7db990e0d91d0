#pragma once
// The display control commands of a subpicture unit: name and number of parameter bytes, by
// command byte. An empty name marks a byte that is no command.
#include <array>
#include <cstdint>

struct SpCommandTables {
  std::array<uint16_t, 256> len{};
  std::array<const char*, 256> name{};
};

inline constexpr SpCommandTables kSpCommands = [] {
  SpCommandTables t;
  for (const char*& n : t.name) n = "";
  const auto set = [&t](uint8_t c, const char* n, uint16_t len) {
    t.name[c] = n;
    t.len[c] = len;
  };
  set(0x00, "FSTA_DSP", 0);
  set(0x01, "STA_DSP", 0);
  set(0x02, "STP_DSP", 0);
  set(0x03, "SET_COLOR", 2);
  set(0x04, "SET_CONTR", 2);
  set(0x05, "SET_DAREA", 6);
  set(0x06, "SET_DSPXA", 4);
  set(0x07, "CHG_COLCON", 2);  // the command carries its own size; the length is not used
  set(0x83, "SET_COLOR2", 768);
  set(0x84, "SET_CONTR2", 256);
  set(0x85, "SET_DAREA2", 6);
  set(0x86, "SET_DSPXA2", 8);
  set(0x87, "CHG_COLCON2", 2);  // as 0x07
  set(0xFF, "CMD_END", 0);
  return t;
}();

inline constexpr const std::array<uint16_t, 256>& cmdLen = kSpCommands.len;
inline constexpr const std::array<const char*, 256>& cmdName = kSpCommands.name;

inline constexpr bool isSpCommand(uint8_t c) { return cmdName[c][0] != '\0'; }
