#pragma once
// Change handlers of the subtitle panel beside the picture that only touch the record.
class App;

// "Lock": keeps the subtitle's text from being replaced by recognition.
void cbLockClick(App& app);
