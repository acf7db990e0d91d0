#include "export/png_writers.h"

#include <algorithm>

#include "render/png_file.h"

PngWriters::PngWriters() {
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  maxWaiting_ = 2 * cores;
  for (size_t k = 0; k < cores; ++k) threads_.emplace_back([this] { run(); });
}

PngWriters::~PngWriters() {
  {
    const std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
    queue_.clear();  // left after an error: the command stops where it failed
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void PngWriters::throwFailure() {
  if (!failure_) return;
  const std::exception_ptr failure = failure_;
  failure_ = nullptr;
  std::rethrow_exception(failure);
}

void PngWriters::write(const std::string& path, const Plane<uint8_t>& pixels,
                       const std::array<PackedColor, 256>& palette, const std::array<uint8_t, 256>& transparency) {
  std::unique_lock<std::mutex> hold(lock_);
  changed_.wait(hold, [this] { return queue_.size() < maxWaiting_ || failure_; });
  throwFailure();
  Job job;
  if (!spare_.empty()) {
    job = std::move(spare_.back());
    spare_.pop_back();
  }
  hold.unlock();
  job.path = path;
  job.pixels = pixels;  // reuses the memory of a spare picture of the same size
  job.palette = palette;
  job.transparency = transparency;
  hold.lock();
  queue_.push_back(std::move(job));
  hold.unlock();
  changed_.notify_all();
}

void PngWriters::finish() {
  std::unique_lock<std::mutex> hold(lock_);
  changed_.wait(hold, [this] { return queue_.empty() && busy_ == 0; });
  throwFailure();
}

void PngWriters::run() {
  std::unique_lock<std::mutex> hold(lock_);
  for (;;) {
    changed_.wait(hold, [this] { return !queue_.empty() || stopping_; });
    if (queue_.empty()) return;  // stopping, and nothing left
    Job job = std::move(queue_.front());
    queue_.erase(queue_.begin());
    ++busy_;
    hold.unlock();
    std::exception_ptr failure;
    try {
      writePalettePng(job.path, job.pixels, job.palette, job.transparency);
    } catch (...) {
      failure = std::current_exception();
    }
    hold.lock();
    --busy_;
    if (failure && !failure_) failure_ = failure;
    spare_.push_back(std::move(job));
    hold.unlock();
    changed_.notify_all();
    hold.lock();
  }
}
