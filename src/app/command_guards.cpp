#include "app/command_guards.h"

#include "app/app.h"

bool refusedWhileBusy(App& app) {
  if (!app.busy) return false;
  app.host.beep();
  return true;
}

bool refusedEmptyList(App& app, const char* message) {
  if (!app.subs.empty()) return false;
  app.erlog(message);
  return true;
}

void disableListCommands(Controls& ui) {
  ui.bSaveBMP.enabled = false;
  ui.bOCRall.enabled = false;
  ui.bExport.enabled = false;
  ui.bSaveSRT.enabled = false;
}
