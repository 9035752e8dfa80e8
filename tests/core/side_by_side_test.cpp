// Work run side by side: both halves run, and what either throws comes out
// only once both have ended.
#include "core/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/second_thread.h"

namespace tobrel {
namespace {

// Where no second thread can be had, both halves run here, with the same
// outcome as side by side.
void ExpectBothRunAndEitherErrorComesOutAfterBoth() {
  std::atomic<int> ran{0};
  RunSideBySide([&] { ++ran; }, [&] { ++ran; });
  EXPECT_EQ(ran, 2);

  ran = 0;
  EXPECT_THROW(RunSideBySide([&] { ++ran; throw std::runtime_error("aside"); }, [&] { ++ran; }),
               std::runtime_error);
  EXPECT_EQ(ran, 2);

  ran = 0;
  EXPECT_THROW(RunSideBySide([&] { ++ran; }, [&] { ++ran; throw std::logic_error("here"); }),
               std::logic_error);
  EXPECT_EQ(ran, 2);

  // Both fail: the calling thread's error is the one told.
  EXPECT_THROW(RunSideBySide([] { throw std::runtime_error("aside"); },
                             [] { throw std::logic_error("here"); }),
               std::logic_error);
}

TEST(SideBySide, BothRunAndEitherErrorComesOutAfterBoth) {
  ExpectBothRunAndEitherErrorComesOutAfterBoth();
}

TEST(SideBySide, WithoutASecondThreadBothRunHereWithTheSameOutcome) {
  const RefuseSecondThreads refuse;
  const std::thread::id here = std::this_thread::get_id();
  std::thread::id aside_ran_on;
  RunSideBySide([&aside_ran_on] { aside_ran_on = std::this_thread::get_id(); }, [] {});
  EXPECT_EQ(aside_ran_on, here);
  ExpectBothRunAndEitherErrorComesOutAfterBoth();
}

}  // namespace
}  // namespace tobrel
