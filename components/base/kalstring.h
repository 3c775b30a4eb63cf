#pragma once
// String helpers of the component library. Positions are 1-based, as the
// unit-code and table texts count them.

#include <string>
#include <string_view>

namespace zrv::comp::KalString {

/// The character at 1-based `index`, or '\0' when the index is below 1 or
/// past the end.
char CharAt(std::string_view text, long index);
/// The tail of `text` from 1-based `index` (all of it for an index below 1,
/// empty past the end).
std::string CopyFrom(std::string_view text, long index);
/// 1-based position of `sub` in `text`, or length + 1 when absent.
long PosOrEnd(std::string_view sub, std::string_view text);
/// 1-based position of `sub` at or after 1-based `from`, as a position in the
/// whole text; 0 when absent.
long PosFrom(std::string_view sub, std::string_view text, long from);
/// Replaces every occurrence of `old_text` by `new_text` once, left to right;
/// inserted text is never searched again. An empty `old_text` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view old_text, std::string_view new_text);

}  // namespace zrv::comp::KalString
