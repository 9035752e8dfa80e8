// A fixed-capacity byte string, the width of a record field. Assigning a
// longer value keeps its first N bytes, even when that cuts a two-byte
// character in half: the stored widths are part of the report and file
// formats.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tobrel {

template <std::size_t N>
class ShortString {
  static_assert(N < 256);

 public:
  static constexpr std::size_t kCapacity = N;

  ShortString() = default;
  ShortString(std::string_view text) { assign(text); }  // NOLINT: a field is assigned text
  ShortString& operator=(std::string_view text) {
    assign(text);
    return *this;
  }

  void assign(std::string_view text) {
    size_ = static_cast<std::uint8_t>(std::min(text.size(), N));
    std::memcpy(bytes_, text.data(), size_);
  }

  std::string_view view() const { return {bytes_, size_}; }
  operator std::string_view() const { return view(); }  // NOLINT: reads as text
  std::string str() const { return std::string(view()); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  friend bool operator==(const ShortString& a, const ShortString& b) { return a.view() == b.view(); }
  friend bool operator==(const ShortString& a, std::string_view b) { return a.view() == b; }

 private:
  std::uint8_t size_ = 0;
  char bytes_[N] = {};
};

}  // namespace tobrel
