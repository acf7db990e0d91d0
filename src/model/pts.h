#pragma once
#include <cstdint>
#include <string>

// 90 kHz ticks as the list's "hh:mm:ss,zzz" text. Milliseconds round to the nearest.
std::string pts2str(uint32_t ticks);
