// The error raised when a pattern cannot be compiled, and the fixed message
// texts it carries (CP932 bytes; the comments show the characters).
#pragma once

#include <string>
#include <string_view>

#include "platform/failure.h"

namespace tobrel {

// Raised for every pattern that does not compile, a Failure of kind
// BadPattern. what() and message() are the message text;
// ErrorPos() is the 1-based byte position in the pattern at which scanning
// stood: one past the last byte the scanner had read when it gave up
// (pattern length + 1 when the whole pattern had been read).
class ERegexSyntax : public Failure {
 public:
  ERegexSyntax(std::string_view message, int error_pos);
  int ErrorPos() const { return error_pos_; }
  // True when the pattern failed only on a bound of regex/complexity_limits.h
  // (the message is regex_message::kTooComplex), not on its syntax. The
  // program still shows kInvalidPatternMessage for it; a front end may add
  // that the pattern is too complex.
  bool TooComplex() const;

 private:
  int error_pos_;
};

namespace regex_message {

// 不正な２バイト文字コードです。
inline constexpr std::string_view kBadDoubleByte =
    "\x95\x73\x90\xb3\x82\xc8\x82\x51\x83\x6f\x83\x43\x83\x67\x95\xb6\x8e\x9a"
    "\x83\x52\x81\x5b\x83\x68\x82\xc5\x82\xb7\x81\x42";
// "\"の次には文字が必要です。
inline constexpr std::string_view kCharAfterBackslash =
    "\x22\x5c\x22\x82\xcc\x8e\x9f\x82\xc9\x82\xcd\x95\xb6\x8e\x9a\x82\xaa\x95"
    "\x4b\x97\x76\x82\xc5\x82\xb7\x81\x42";
// 不正な１６進数コード表記です。
inline constexpr std::string_view kBadHex =
    "\x95\x73\x90\xb3\x82\xc8\x82\x50\x82\x55\x90\x69\x90\x94\x83\x52\x81\x5b"
    "\x83\x68\x95\x5c\x8b\x4c\x82\xc5\x82\xb7\x81\x42";
// 不正な８進数コード表記です。
inline constexpr std::string_view kBadOctal =
    "\x95\x73\x90\xb3\x82\xc8\x82\x57\x90\x69\x90\x94\x83\x52\x81\x5b\x83\x68"
    "\x95\x5c\x8b\x4c\x82\xc5\x82\xb7\x81\x42";
// 右ブラケット"]"が必要です
inline constexpr std::string_view kRightBracketExpected =
    "\x89\x45\x83\x75\x83\x89\x83\x50\x83\x62\x83\x67\x22\x5d\x22\x82\xaa\x95"
    "\x4b\x97\x76\x82\xc5\x82\xb7";
// 不正なキャラクタ範囲です
inline constexpr std::string_view kBadRange =
    "\x95\x73\x90\xb3\x82\xc8\x83\x4c\x83\x83\x83\x89\x83\x4e\x83\x5e\x94\xcd"
    "\x88\xcd\x82\xc5\x82\xb7";
// 不正なキャラクタクラス指定です。
inline constexpr std::string_view kBadClass =
    "\x95\x73\x90\xb3\x82\xc8\x83\x4c\x83\x83\x83\x89\x83\x4e\x83\x5e\x83\x4e"
    "\x83\x89\x83\x58\x8e\x77\x92\xe8\x82\xc5\x82\xb7\x81\x42";
// 右(閉じ)括弧が必要です
inline constexpr std::string_view kRightParenExpected =
    "\x89\x45\x28\x95\xc2\x82\xb6\x29\x8a\x87\x8c\xca\x82\xaa\x95\x4b\x97\x76"
    "\x82\xc5\x82\xb7";
// 普通の文字、または左括弧"("が必要です
inline constexpr std::string_view kAtomExpected =
    "\x95\x81\x92\xca\x82\xcc\x95\xb6\x8e\x9a\x81\x41\x82\xdc\x82\xbd\x82\xcd"
    "\x8d\xb6\x8a\x87\x8c\xca\x22\x28\x22\x82\xaa\x95\x4b\x97\x76\x82\xc5\x82"
    "\xb7";
// 正規表現に余分な文字があります
inline constexpr std::string_view kExtraCharacters =
    "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb\x82\xc9\x97\x5d\x95\xaa\x82\xc8\x95\xb6"
    "\x8e\x9a\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7";
// 正規表現が複雑すぎます: the pattern passes one of the bounds that keep
// compiling short (regex/complexity_limits.h).
inline constexpr std::string_view kTooComplex =
    "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb\x82\xaa\x95\xa1\x8e\x47\x82\xb7\x82\xac"
    "\x82\xdc\x82\xb7";

}  // namespace regex_message

// 正規表現が不正です: what the program itself shows the user for any pattern
// that raised ERegexSyntax (the exception's own text is not shown).
inline constexpr std::string_view kInvalidPatternMessage =
    "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb\x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7";

}  // namespace tobrel
