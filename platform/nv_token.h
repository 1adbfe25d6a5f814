// Splits NV program text into tokens, each with its byte position, so that
// every parse error can name the offending token's position in the text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace nvprog {

enum class TokenKind {
    Word,         // identifier, or digits run together with letters ("2D", "R0")
    Number,       // decimal number: digits, optional fraction and exponent
    Punctuation,  // any other single character
    End,          // end of the text
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
    std::size_t position = 0;

    bool Is(char c) const { return kind == TokenKind::Punctuation && text[0] == c; }
    bool Is(std::string_view word) const { return kind == TokenKind::Word && text == word; }
};

// Tokens of text[start..], skipping white space and "#" comments; the last
// token is always End, positioned at the end of the text.
std::vector<Token> Tokenize(std::string_view text, std::size_t start);

}  // namespace nvprog
