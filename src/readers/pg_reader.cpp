#include "readers/pg_reader.h"

#include "app/app.h"

void readPG(App&, ReadState&) {}
