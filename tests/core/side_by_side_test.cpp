// Work run side by side: both halves run, and what either throws comes out
// only once both have ended.
#include "core/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace tobrel {
namespace {

TEST(SideBySide, BothRunAndEitherErrorComesOutAfterBoth) {
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

}  // namespace
}  // namespace tobrel
