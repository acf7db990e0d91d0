#pragma once
// Reads the line pictures of many subtitles on worker threads, each worker with a reader of
// its own made once, and gives the readings back in the order the subtitles were handed in.
// The calling thread keeps drawing and cutting the next subtitles meanwhile.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ocr/line_reader.h"

class ReadingPool {
 public:
  // Called once by every worker, on the worker's own thread. A worker without a reader (null)
  // reads no words on any line.
  using ReaderFactory = std::function<std::unique_ptr<LineReader>()>;

  struct Reading {
    int id = 0;
    std::vector<LinePicture> lines;            // as handed in
    std::vector<std::vector<WordBox>> words;   // one entry per line
  };

  ReadingPool(int workers, ReaderFactory factory);
  // Stops the workers once their current subtitle is read and joins them; readings not taken
  // are dropped.
  ~ReadingPool();
  ReadingPool(const ReadingPool&) = delete;
  ReadingPool& operator=(const ReadingPool&) = delete;

  void submit(int id, std::vector<LinePicture> lines);
  // Handed in and not taken yet.
  size_t pending() const;
  // The oldest reading not taken yet, once it is complete; waits at most `wait` for it.
  std::optional<Reading> takeOldest(std::chrono::milliseconds wait);

 private:
  struct Job {
    Reading reading;
    bool done = false;
  };
  void work();

  ReaderFactory factory_;
  mutable std::mutex mutex_;
  std::condition_variable jobAdded_, jobDone_;
  std::deque<std::shared_ptr<Job>> order_;    // every job not taken, in order
  std::deque<std::shared_ptr<Job>> waiting_;  // jobs no worker has started
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};
