#include "text/srt_import.h"

#include "app/app.h"

void ReadSRT(App& app) { app.erlog("SRT import is not available in this build."); }
