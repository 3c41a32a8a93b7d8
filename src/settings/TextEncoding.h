#pragma once
// Conversions between the encodings of the text files the program shares
// with the Windows tool (UTF-16LE with a byte-order mark, or UTF-8).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv530 {

// UTF-16LE bytes (without BOM) to UTF-8. An odd trailing byte is dropped and
// unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
// UTF-8 to UTF-16LE bytes (without BOM). Invalid sequences become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);
// Bytes as two-digit lowercase hex separated by single spaces ("00 ff 1a").
std::string HexBytes(std::span<const std::uint8_t> bytes);

// Number of code points (invalid bytes count one each).
std::size_t Utf8Length(std::string_view text);
// The leading maxCodePoints code points of text, never splitting a sequence.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxCodePoints);

} // namespace qv530
