#pragma once
#include "readers/read_state.h"

class App;

// Walks the "SP" packets of a DVD or HD DVD subpicture stream from the start of the file and
// appends one subtitle per packet.
void readSP(App& app, ReadState& rs);
