#include "app/long_operation.h"

#include "app/app.h"

LongOperation::LongOperation(App& app) : app_(app) {
  app_.cancelReq = false;
  app_.busy = true;
  app_.ui.bCancel.enabled = true;
}

LongOperation::~LongOperation() {
  app_.busy = false;
  app_.ui.bCancel.enabled = false;
}

bool LongOperation::stopRequested() { return app_.pumpAndCheckCancel(); }
