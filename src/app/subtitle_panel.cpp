#include "app/subtitle_panel.h"

#include "app/app.h"

void cbLockClick(App& app) {
  // The box may be ticked while no subtitle is drawn (an empty list): nothing to lock then.
  if (app.curSub < 0 || size_t(app.curSub) >= app.subs.size()) return;
  app.subs[size_t(app.curSub)].locked = app.ui.cbLock.checked ? 1 : 0;
}
