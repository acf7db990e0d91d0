#pragma once
#include <vector>

#include "model/subtitle.h"
#include "readers/read_state.h"

// Walks the "PG" segments of a Blu-ray presentation graphics stream from the start of the
// file as a decoder does, keeping the objects and palettes of each epoch, and appends one
// subtitle per picture a viewer sees to `subs`. Bytes that are no segment are skipped up to
// the next one; the read keeps whatever it found, and sets formatError when damage left it
// nothing.
void readPG(std::vector<TSUP>& subs, ReadState& rs);
