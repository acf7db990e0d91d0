#pragma once
#include "readers/read_state.h"

class App;

// Walks the "PG" segments of a Blu-ray presentation graphics stream from the start of the
// file as a decoder does, keeping the objects and palettes of each epoch, and appends one
// subtitle per picture a viewer sees. Bytes that are no segment are skipped up to the next
// one; the read keeps whatever it found.
void readPG(App& app, ReadState& rs);
