#pragma once
#include "readers/read_state.h"

class App;

// Walks the "SP" packets of a DVD or HD DVD subpicture stream from the start of the file and
// appends one subtitle per packet. A subtitle whose end the stream never gives ends just
// before the next one starts or, the last one, a few seconds after its own start.
void readSP(App& app, ReadState& rs);
