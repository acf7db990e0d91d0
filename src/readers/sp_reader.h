#pragma once
#include "model/subtitle_list.h"
#include "readers/read_state.h"

// Walks the "SP" packets of a DVD or HD DVD subpicture stream from the start of the file and
// appends one subtitle per packet to the list, whose format the last whole unit sets and
// whose streamBuf takes each unit's control area. A subtitle whose end the stream never
// gives ends just before the next one starts or, the last one, a few seconds after its own
// start. A packet without its tag ends the read with nothing kept and formatError set.
void readSP(SubtitleList& list, ReadState& rs);
