#pragma once
#include "readers/read_state.h"

class App;

// Walks the "PG" segments of a Blu-ray presentation graphics stream from the start of the
// file and appends one subtitle per display set that shows objects.
void readPG(App& app, ReadState& rs);
