#include "readers/sp_reader.h"

#include "app/app.h"

void readSP(App&, ReadState&) {}
