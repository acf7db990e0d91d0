#include "ocr/reading_pool.h"

#include <algorithm>

ReadingPool::ReadingPool(int workers, ReaderFactory factory) : factory_(std::move(factory)) {
  for (int i = 0; i < std::max(1, workers); ++i) workers_.emplace_back([this] { work(); });
}

ReadingPool::~ReadingPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  jobAdded_.notify_all();
  for (std::thread& t : workers_) t.join();
}

void ReadingPool::submit(int id, std::vector<LinePicture> lines) {
  auto job = std::make_shared<Job>();
  job->reading.id = id;
  job->reading.lines = std::move(lines);
  {
    std::lock_guard lock(mutex_);
    order_.push_back(job);
    waiting_.push_back(job);
  }
  jobAdded_.notify_one();
}

size_t ReadingPool::pending() const {
  std::lock_guard lock(mutex_);
  return order_.size();
}

std::optional<ReadingPool::Reading> ReadingPool::takeOldest(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  if (!jobDone_.wait_for(lock, wait, [this] { return !order_.empty() && order_.front()->done; })) return std::nullopt;
  Reading reading = std::move(order_.front()->reading);
  order_.pop_front();
  return reading;
}

void ReadingPool::work() {
  std::unique_ptr<LineReader> reader;
  try {
    reader = factory_();
  } catch (...) {
    reader = nullptr;  // reads nothing, but still completes what it takes
  }
  for (;;) {
    std::shared_ptr<Job> job;
    {
      std::unique_lock lock(mutex_);
      jobAdded_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
      if (stopping_) return;
      job = waiting_.front();
      waiting_.pop_front();
    }
    std::vector<std::vector<WordBox>> words(job->reading.lines.size());
    for (size_t i = 0; i < words.size() && reader; ++i) {
      try {
        words[i] = reader->readLine(job->reading.lines[i]);
      } catch (...) {
        words[i].clear();  // a line the engine failed on reads as nothing
      }
    }
    {
      std::lock_guard lock(mutex_);
      job->reading.words = std::move(words);
      job->done = true;
    }
    jobDone_.notify_all();
  }
}
