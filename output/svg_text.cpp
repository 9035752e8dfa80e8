#include "output/svg_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr double kAsciiEm = 0.62;
constexpr double kHalfWidthEm = 0.5;
const std::string kEllipsis = "\xE2\x80\xA6";   // U+2026, in UTF-8
const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD, in UTF-8

// The length of the valid UTF-8 sequence at `pos`, or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  std::uint32_t low = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, low = 0x80;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, low = 0x800;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, low = 0x10000;
  else return 0;
  if (pos + length > text.size()) return 0;
  std::uint32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(pos + i) & 0x3F);
  }
  if (code < low || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  // XML 1.0 forbids the two non-characters at the end of the basic plane.
  if (code == 0xFFFE || code == 0xFFFF) return 0;
  return length;
}

}  // namespace

std::string XmlTextFromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char c = utf8[pos];
    const std::size_t length = Utf8SequenceLength(utf8, pos);
    if (length == 0) {
      out += kReplacement;
      ++pos;
      continue;
    }
    if (length > 1) {
      // C1 controls (U+0080-U+009F) are discouraged in XML: one blank.
      const bool c1 = length == 2 && static_cast<unsigned char>(c) == 0xC2 &&
                      static_cast<unsigned char>(utf8[pos + 1]) < 0xA0;
      if (c1) out += ' ';
      else out.append(utf8.substr(pos, length));
      pos += length;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
    ++pos;
  }
  return out;
}

std::string XmlText(std::string_view cp932) { return XmlTextFromUtf8(cp932::ToUtf8(cp932)); }

bool IsPlainXmlText(std::string_view cp932) {
  for (const char c : cp932) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F || c == '&' || c == '<' || c == '>' || c == '"' ||
        c == '\'' || c == '\\')
      return false;
  }
  return true;
}

void AppendXmlText(std::string& out, std::string_view cp932) {
  if (IsPlainXmlText(cp932)) out.append(cp932);
  else out += XmlText(cp932);
}

std::vector<std::string> XmlTexts(const std::vector<std::string_view>& texts) {
  // The texts joined by line feeds. A control byte is never part of a
  // two-byte character (trail bytes start at 0x40), so each becomes the
  // blank XmlText makes of it here, and a line feed only ever parts two
  // texts; a lead byte at the end of a text cannot take the line feed as
  // its trail and becomes U+FFFD alone.
  std::string joined;
  std::size_t bytes = 0;
  for (const std::string_view text : texts) bytes += text.size() + 1;
  joined.reserve(bytes);
  for (const std::string_view text : texts) {
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      joined += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    joined += '\n';
  }
  const std::string utf8 = cp932::ToUtf8(joined);
  std::vector<std::string> out;
  out.reserve(texts.size());
  std::size_t start = 0;
  for (std::size_t end; out.size() < texts.size() && (end = utf8.find('\n', start)) != std::string::npos;
       start = end + 1)
    out.push_back(XmlTextFromUtf8(std::string_view(utf8).substr(start, end - start)));
  // Never short, whatever the converter did with the line feeds.
  while (out.size() < texts.size()) out.push_back(XmlText(texts[out.size()]));
  return out;
}

double TextWidth(std::string_view cp932, double font_size) {
  double ems = 0;
  for (std::size_t pos = 0; pos < cp932.size();) {
    const std::size_t next = cp932::NextCharPos(cp932, pos);
    const auto byte = static_cast<unsigned char>(cp932[pos]);
    if (next - pos == 2) ems += 1;
    else if (byte >= 0xA1 && byte <= 0xDF) ems += kHalfWidthEm;
    else ems += kAsciiEm;
    pos = next;
  }
  return ems * font_size;
}

std::string CutToWidth(std::string_view cp932, double width, double font_size) {
  if (TextWidth(cp932, font_size) <= width) return std::string(cp932);
  const double room = width - font_size;  // the ellipsis is one em
  std::size_t end = 0;
  for (std::size_t pos = 0; pos < cp932.size();) {
    const std::size_t next = cp932::NextCharPos(cp932, pos);
    if (TextWidth(cp932.substr(0, next), font_size) > room) break;
    end = pos = next;
  }
  return std::string(cp932.substr(0, end)) + cp932::FromUtf8(kEllipsis);
}

std::string FigureText(double value) {
  if (!std::isfinite(value)) return "";
  char buffer[64];
  const double rounded = std::round(value);
  if (std::fabs(value - rounded) < 1e-9 && std::fabs(rounded) < 1e15) {
    const auto whole = static_cast<std::int64_t>(std::fabs(rounded));
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
    const std::size_t digits = end - buffer;
    std::string out = rounded < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits; ++i) {
      if (i > 0 && (digits - i) % 3 == 0) out += ',';
      out += buffer[i];
    }
    return out;
  }
  std::snprintf(buffer, sizeof buffer, "%.3f", value);
  std::string out = buffer;
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return out;
}

void AppendCoordinate(std::string& out, double value) {
  // In tenths, as an integer: drawings write hundreds of thousands of these.
  if (!std::isfinite(value) || std::fabs(value) > 1e15) {
    out += '0';
    return;
  }
  const auto tenths = static_cast<std::int64_t>(std::llround(value * 10));
  const std::int64_t size = tenths < 0 ? -tenths : tenths;
  char buffer[32];
  char* at = buffer;
  if (tenths < 0) *at++ = '-';
  at = std::to_chars(at, buffer + sizeof buffer, size / 10).ptr;
  if (size % 10 != 0) {
    *at++ = '.';
    *at++ = static_cast<char>('0' + size % 10);
  }
  out.append(buffer, at);
}

std::string Coordinate(double value) {
  std::string out;
  AppendCoordinate(out, value);
  return out;
}

}  // namespace tobrel
