#include "platform/nv_parse_cursor.h"

#include <charconv>
#include <limits>
#include <utility>

namespace nvprog {
namespace {

int ComponentIndex(char c) {
    switch (c) {
        case 'x':
            return 0;
        case 'y':
            return 1;
        case 'z':
            return 2;
        case 'w':
            return 3;
        default:
            return -1;
    }
}

}  // namespace

bool IsRegisterName(const Token& token, std::string_view prefix) {
    if (token.kind != TokenKind::Word || token.text.size() <= prefix.size())
        return false;
    if (token.text.substr(0, prefix.size()) != prefix)
        return false;
    for (char c : token.text.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

TokenCursor::TokenCursor(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

const Token& TokenCursor::Peek(std::size_t ahead) const {
    const std::size_t i = m_next + ahead;
    return i < m_tokens.size() ? m_tokens[i] : m_tokens.back();
}

const Token& TokenCursor::Take() {
    const Token& token = Peek();
    if (m_next + 1 < m_tokens.size())
        ++m_next;
    return token;
}

bool TokenCursor::Accept(char punctuation) {
    if (!Peek().Is(punctuation))
        return false;
    Take();
    return true;
}

bool TokenCursor::AcceptWord(std::string_view word) {
    if (!Peek().Is(word))
        return false;
    Take();
    return true;
}

void TokenCursor::Expect(char punctuation) {
    if (!Accept(punctuation))
        Fail(Peek(), std::string("expected '") + punctuation + "'");
}

void TokenCursor::ExpectWord(std::string_view word) {
    if (!AcceptWord(word))
        Fail(Peek(), "expected " + std::string(word));
}

void TokenCursor::Fail(const Token& at, std::string message) const {
    if (at.kind == TokenKind::End)
        message += " before the end of the text";
    throw ProgramError{at.position, std::move(message)};
}

int TokenCursor::RegisterNumber(const Token& token, std::string_view prefix, int limit) const {
    if (!IsRegisterName(token, prefix))
        Fail(token, "expected a register");
    const std::string_view digits = token.text.substr(prefix.size());
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value >= limit) {
        Fail(token, "register number out of range");
    }
    return value;
}

int TokenCursor::Integer(int limit) {
    const Token& token = Take();
    int value = 0;
    const char* first = token.text.data();
    const char* last = first + token.text.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (token.kind != TokenKind::Number || ec != std::errc() || end != last) {
        Fail(token, "expected an integer");
    }
    if (value >= limit)
        Fail(token, "number out of range");
    return value;
}

float TokenCursor::SignedNumber() {
    const bool negative = Accept('-');
    if (!negative)
        Accept('+');
    const Token& token = Take();
    double value = 0.0;
    const char* first = token.text.data();
    const char* last = first + token.text.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (token.kind != TokenKind::Number || end != last)
        Fail(token, "expected a number");
    if (ec != std::errc())
        Fail(token, "number out of range");
    const float single = value > std::numeric_limits<float>::max()
                             ? std::numeric_limits<float>::infinity()
                             : static_cast<float>(value);
    return negative ? -single : single;
}

Swizzle TokenCursor::SwizzleSuffix() {
    Expect('.');
    const Token& token = Take();
    const std::string_view s = token.text;
    if (token.kind != TokenKind::Word || (s.size() != 1 && s.size() != 4)) {
        Fail(token, "expected a swizzle of one or four components");
    }
    Swizzle swizzle{};
    for (std::size_t i = 0; i < 4; ++i) {
        const int c = ComponentIndex(s[s.size() == 1 ? 0 : i]);
        if (c < 0)
            Fail(token, "expected a swizzle of x, y, z and w");
        swizzle[i] = static_cast<std::uint8_t>(c);
    }
    return swizzle;
}

Swizzle TokenCursor::ScalarSuffix() {
    const Token component = Peek(1);
    const Swizzle swizzle = SwizzleSuffix();
    if (component.text.size() != 1)
        Fail(component, "expected a scalar component");
    return swizzle;
}

std::uint8_t TokenCursor::OptionalWriteMask() {
    if (!Peek().Is('.'))
        return MASK_XYZW;
    Take();
    const Token& token = Take();
    std::uint8_t mask = 0;
    int last = -1;
    for (char ch : token.text) {
        const int c = ComponentIndex(ch);
        if (token.kind != TokenKind::Word || c <= last) {
            Fail(token, "expected a write mask of x, y, z and w in order");
        }
        mask |= static_cast<std::uint8_t>(1u << c);
        last = c;
    }
    if (mask == 0)
        Fail(token, "expected a write mask");
    return mask;
}

}  // namespace nvprog
