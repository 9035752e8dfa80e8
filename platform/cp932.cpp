#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tobrel::cp932 {

std::size_t FindAligned(std::string_view text, std::string_view needle,
                        std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (text.size() < needle.size()) return std::string_view::npos;
  // Without any occurrence there is no aligned one: no need to walk.
  if (text.find(needle, from) == std::string_view::npos) return std::string_view::npos;
  const std::size_t last = text.size() - needle.size();
  for (std::size_t pos = 0; pos <= last; pos = NextCharPos(text, pos)) {
    if (text[pos] == needle[0] && pos >= from && text.compare(pos, needle.size(), needle) == 0)
      return pos;
  }
  return std::string_view::npos;
}

namespace {

// One iconv conversion from `from` to `to`; an input sequence that cannot be
// converted is replaced by `replacement` and skipped (`skip` bytes for a lead
// byte of the source, one byte otherwise).
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  template <typename SkipFn>
  std::string Convert(std::string_view input, std::string_view replacement,
                      SkipFn bytes_to_skip) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(input.size() * 3 / 2 + 4);
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    char buffer[4096];
    while (in_left > 0) {
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      std::size_t rc = iconv(handle_, &in, &in_left, &dst, &dst_left);
      out.append(buffer, dst - buffer);
      if (rc != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: an unconvertible or truncated sequence.
      std::size_t skip = std::min(in_left, bytes_to_skip(std::string_view(in, in_left)));
      out.append(replacement);
      in += skip;
      in_left -= skip;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t handle_;
};

// An unconvertible CP932 character is skipped whole, but a lead byte whose
// next byte cannot end a character (a tab, say) is skipped alone.
std::size_t Cp932SequenceLength(std::string_view rest) {
  if (rest.size() < 2 || !IsLeadByte(static_cast<unsigned char>(rest[0]))) return 1;
  const unsigned char trail = static_cast<unsigned char>(rest[1]);
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
}

std::size_t Utf8SequenceLength(std::string_view rest) {
  unsigned char lead = static_cast<unsigned char>(rest[0]);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  // Skip only the bytes that really continue the sequence.
  std::size_t used = 1;
  while (used < length && used < rest.size() &&
         (static_cast<unsigned char>(rest[used]) & 0xC0) == 0x80)
    ++used;
  return used;
}

}  // namespace

std::string ToUtf8(std::string_view text) {
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Convert(text, "\xEF\xBF\xBD", Cp932SequenceLength);
}

std::string FromUtf8(std::string_view text) {
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Convert(text, "?", Utf8SequenceLength);
}

}  // namespace tobrel::cp932
