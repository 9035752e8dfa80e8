// Advice about memory changes where it lives, never what it holds: lists
// keep their elements, and prefaulted memory keeps its bytes, for blocks of
// any size and alignment.
#include "platform/large_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tobrel {
namespace {

TEST(LargePages, AdviceKeepsWhatMemoryHolds) {
  std::vector<std::uint32_t> bytes(3u << 20);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint32_t>(i * 2654435761u);
  const std::vector<std::uint32_t> before = bytes;
  for (const std::size_t offset : {0u, 1u, 4093u}) {
    for (const std::size_t size : {0u, 1u, 4096u, 5000u, 9u << 20}) {
      PrefaultForWriting(reinterpret_cast<char*>(bytes.data()) + offset, size);
      AdviseLargePages(reinterpret_cast<char*>(bytes.data()) + offset, size);
    }
  }
  EXPECT_EQ(bytes, before);

  std::vector<std::uint32_t> list = {1, 2, 3};
  ReserveWithLargePages(list, 2u << 20);
  EXPECT_GE(list.capacity(), 2u << 20);
  EXPECT_EQ(list, (std::vector<std::uint32_t>{1, 2, 3}));
  EXPECT_EQ(LargePagesVector<std::uint32_t>(2u << 20), std::vector<std::uint32_t>(2u << 20));
}

}  // namespace
}  // namespace tobrel
