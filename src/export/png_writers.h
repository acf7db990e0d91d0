#pragma once
// Palette PNG files written on every core while the caller draws the next pictures: encoding
// a picture takes longer than drawing it.
#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "render/palette_state.h"
#include "render/plane.h"

class PngWriters {
 public:
  // One writer thread per core (at least one).
  PngWriters();
  // Waits for the files being written; those still waiting (left by a command that failed
  // before finish) are not written.
  ~PngWriters();
  PngWriters(const PngWriters&) = delete;
  PngWriters& operator=(const PngWriters&) = delete;

  // Queues a copy of the picture for `path`. While twice as many pictures wait as there are
  // writers it waits for one to finish, so that memory stays bounded. Throws the FileError of
  // a file written before, once.
  void write(const std::string& path, const Plane<uint8_t>& pixels, const std::array<PackedColor, 256>& palette,
             const std::array<uint8_t, 256>& transparency);
  // Waits until every queued file is written; throws the first FileError one of them met.
  void finish();

 private:
  struct Job {
    std::string path;
    Plane<uint8_t> pixels{0, 0};
    std::array<PackedColor, 256> palette{};
    std::array<uint8_t, 256> transparency{};
  };

  void run();
  void throwFailure();  // with the lock held

  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<Job> queue_;  // waiting, oldest first
  std::vector<Job> spare_;  // done, their memory kept for the next pictures
  size_t busy_ = 0;         // being written
  size_t maxWaiting_ = 2;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::vector<std::thread> threads_;
};
