// The reader's buffer keeps what it is asked to keep across every way of
// growing: on the heap, from the heap into a mapping, and from one mapping
// to a larger one (whose pages move), and it can be made anew or freed.
#include "core/line_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tobrel {
namespace {

// `size` bytes of a pattern that differs at every offset of a page.
std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 4093);
  return bytes;
}

TEST(LineBufferTest, GrowingKeepsTheBytesAskedFor) {
  constexpr std::size_t kMapped = LineBuffer::kMappedSize;
  // Sizes on the heap, then past the mapping size, then twice as large, then
  // a little more: each step keeps what the one before filled.
  const std::size_t sizes[] = {1000, 70000, kMapped + 5, 2 * kMapped + 3, 2 * kMapped + 4099};
  LineBuffer buffer;
  std::size_t filled = 0;
  const std::string expected = Pattern(sizes[std::size(sizes) - 1]);
  for (const std::size_t size : sizes) {
    buffer.Resize(size, filled);
    ASSERT_EQ(buffer.size(), size);
    ASSERT_EQ(std::memcmp(buffer.data(), expected.data(), filled), 0) << size;
    std::memcpy(buffer.data() + filled, expected.data() + filled, size - filled);
    filled = size;
  }
  // Only a part is kept when only a part is asked for.
  buffer.Resize(3 * kMapped, 12345);
  EXPECT_EQ(std::memcmp(buffer.data(), expected.data(), 12345), 0);

  // Made anew, small or large, then freed.
  buffer.Resize(100, 0);
  EXPECT_EQ(buffer.size(), 100u);
  std::memset(buffer.data(), 'x', 100);
  buffer.Resize(kMapped * 2, 0);
  std::memset(buffer.data(), 'y', kMapped * 2);
  buffer.Release();
  EXPECT_EQ(buffer.size(), 0u);
  EXPECT_EQ(buffer.data(), nullptr);
}

}  // namespace
}  // namespace tobrel
