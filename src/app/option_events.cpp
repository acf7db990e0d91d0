#include "app/option_events.h"

#include "app/app.h"

void optionChanged(App&, const std::string&) {}
