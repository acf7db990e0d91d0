// The workers that read line pictures: every subtitle handed in comes back once, in the order
// handed in, whichever worker finishes first; a worker without a reader reads nothing; the
// pool ends its workers with readings still open.
#include "ocr/reading_pool.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {
// Reads a line as one word: the picture's width, after a pause as long as its height in
// milliseconds, so later subtitles can be done before earlier ones.
class FakeReader : public LineReader {
 public:
  explicit FakeReader(std::atomic<int>& made) { ++made; }
  std::vector<WordBox> readLine(const LinePicture& line) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(line.height));
    return {{std::to_string(line.width), 0, line.width}};
  }
};

LinePicture picture(int width, int pauseMs) {
  LinePicture p;
  p.width = width;
  p.height = pauseMs;
  return p;
}

TEST(ReadingPool, ReadingsComeBackInTheOrderHandedIn) {
  std::atomic<int> made = 0;
  auto owned = std::make_unique<ReadingPool>(3, [&made] { return std::make_unique<FakeReader>(made); });
  ReadingPool& pool = *owned;
  // Slow ones first, so that the quick ones after them are done earlier.
  const int pauses[] = {30, 1, 1, 20, 1, 0, 5, 0};
  for (int id = 0; id < 8; ++id) pool.submit(id, {picture(id * 10, pauses[id]), picture(id * 10 + 1, 0)});
  EXPECT_EQ(pool.pending(), 8u);
  for (int id = 0; id < 8; ++id) {
    std::optional<ReadingPool::Reading> r;
    while (!(r = pool.takeOldest(std::chrono::milliseconds(100)))) {
    }
    EXPECT_EQ(r->id, id);
    ASSERT_EQ(r->words.size(), 2u);
    ASSERT_EQ(r->lines.size(), 2u);
    EXPECT_EQ(r->words[0][0].text, std::to_string(id * 10));
    EXPECT_EQ(r->words[1][0].text, std::to_string(id * 10 + 1));
  }
  EXPECT_EQ(pool.pending(), 0u);
  EXPECT_FALSE(pool.takeOldest(std::chrono::milliseconds(0)));
  owned.reset();
  EXPECT_EQ(made, 3);  // one reader per worker, not per subtitle
}

TEST(ReadingPool, WorkerWithoutReaderReadsNoWords) {
  ReadingPool pool(2, [] { return std::unique_ptr<LineReader>(); });
  pool.submit(7, {picture(5, 0), picture(6, 0)});
  std::optional<ReadingPool::Reading> r;
  while (!(r = pool.takeOldest(std::chrono::milliseconds(100)))) {
  }
  EXPECT_EQ(r->id, 7);
  ASSERT_EQ(r->words.size(), 2u);
  EXPECT_TRUE(r->words[0].empty());
  EXPECT_TRUE(r->words[1].empty());
}

TEST(ReadingPool, EndsWithReadingsStillOpen) {
  std::atomic<int> made = 0;
  {
    ReadingPool pool(2, [&made] { return std::make_unique<FakeReader>(made); });
    for (int id = 0; id < 20; ++id) pool.submit(id, {picture(1, 5)});
  }  // joins its workers without reading the rest
  EXPECT_EQ(made, 2);
}
}  // namespace
