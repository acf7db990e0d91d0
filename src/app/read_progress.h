#pragma once
// What a stream reader shows while it reads: the file position in the status bar and as a
// percentage in the progress bar.
class App;
class StreamFile;

void showReadProgress(App& app, const StreamFile& file);
