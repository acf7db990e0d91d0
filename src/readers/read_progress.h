#pragma once
// What a stream reader shows while it reads: the file position as the status text and as a
// percentage of the file for the progress bar.
class ProgressSink;
class StreamFile;

void reportReadProgress(ProgressSink& progress, const StreamFile& file);
