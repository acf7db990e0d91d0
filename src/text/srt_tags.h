#pragma once
// The formatting tags of SRT text. The letters come upright or italic only: "<i>" and "</i>"
// (in any case) are kept as the renderer reads them, and bold, underline, strike-through,
// font colours and "{\...}" override blocks (positions, effects) are taken out.
#include <string>
#include <string_view>

// Kinds of tag taken out, as bits.
enum RemovedTag : unsigned { rtBold = 1, rtUnderline = 2, rtStrike = 4, rtFont = 8, rtOverride = 16 };

// The line with its italic tags in lower case and the other formatting removed; `removed`
// gains the kinds that were taken out.
std::u32string drawableTags(std::u32string_view line, unsigned& removed);
// The kinds as the log names them: "<b>, <font>, {\...}".
std::string removedTagNames(unsigned removed);
