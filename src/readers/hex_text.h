#pragma once
// Numbers as the packet-by-packet log shows them: upper-case hexadecimal, zero-padded to a
// minimum number of digits and wider when the value needs it.
#include <cstdint>
#include <cstdio>
#include <string>

inline std::string hexStr(uint64_t value, int digits) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
  return buf;
}
