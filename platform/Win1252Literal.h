#pragma once

#include "platform/Win1252.h"

#include <array>
#include <cstddef>

// German texts are written as readable UTF-8 literals and turned into their Windows-1252
// bytes while compiling:
//
//     using namespace win1252::literals;
//     constexpr std::string_view kCaption = "Summe der Beträge: "_win1252;
//
// A character Windows-1252 lacks, or malformed UTF-8, fails the build. Single characters go
// through win1252::character(U'Ä').
namespace win1252 {

// A UTF-8 string literal as a template argument.
template <std::size_t N> struct Utf8Literal {
    std::array<char, N> bytes{};

    consteval Utf8Literal(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            bytes[i] = text[i];
        }
    }
};

// The Windows-1252 bytes of a literal, zero-terminated; never longer than its UTF-8 form.
template <std::size_t N> struct EncodedLiteral {
    std::array<char, N> bytes{};
    std::size_t size = 0;
};

template <std::size_t N> consteval EncodedLiteral<N> encodeLiteral(const Utf8Literal<N>& utf8) {
    const std::string_view text(utf8.bytes.data(), N - 1);
    EncodedLiteral<N> encoded;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t codePoint = decodeUtf8(text, pos);
        const int byte = fromUnicode(codePoint);
        if (codePoint == kReplacement || byte < 0) {
            throw "a character without a Windows-1252 byte, or malformed UTF-8";
        }
        encoded.bytes[encoded.size++] = static_cast<char>(byte);
    }
    return encoded;
}

template <Utf8Literal Text> inline constexpr EncodedLiteral kEncoded = encodeLiteral(Text);

// The byte of one character: win1252::character(U'Ä').
consteval char character(char32_t codePoint) {
    const int byte = fromUnicode(codePoint);
    if (byte < 0) {
        throw "a character without a Windows-1252 byte";
    }
    return static_cast<char>(byte);
}

namespace literals {

// The zero-terminated Windows-1252 bytes of the literal, with static storage.
template <Utf8Literal Text> consteval const char* operator""_win1252() {
    return kEncoded<Text>.bytes.data();
}

} // namespace literals

} // namespace win1252
