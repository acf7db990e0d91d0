#include "app/long_operation.h"

#include "app/app.h"

LongOperation::LongOperation(App& app) : app_(app) {
  app_.cancelReq = false;
  app_.busy = true;
  const auto inputs = app_.ui.userInputs();
  for (size_t k = 0; k < inputs.size(); ++k) {
    wasEnabled_[k] = inputs[k]->enabled;
    inputs[k]->enabled = false;
  }
  app_.ui.bCancel.enabled = true;
}

LongOperation::~LongOperation() { finish(); }

bool LongOperation::stopRequested() { return app_.pumpAndCheckCancel(); }

void LongOperation::finish() {
  if (!running_) return;
  running_ = false;
  app_.busy = false;
  app_.ui.bCancel.enabled = false;
  const auto inputs = app_.ui.userInputs();
  for (size_t k = 0; k < inputs.size(); ++k) inputs[k]->enabled = wasEnabled_[k];
}
