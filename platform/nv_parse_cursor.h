// The token cursor shared by the NV vertex and fragment program parsers, with
// the pieces of grammar both languages have: register numbers, swizzle and
// write-mask suffixes, signed decimal numbers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/nv_program.h"
#include "platform/nv_token.h"

namespace nvprog {

// A program the NV grammar or its semantic rules reject: the byte position of
// the offending token and a short explanation.
struct ProgramError {
    std::size_t position = 0;
    std::string message;
};

class TokenCursor {
  public:
    explicit TokenCursor(std::vector<Token> tokens);

    const Token& Peek(std::size_t ahead = 0) const;
    const Token& Take();
    bool Accept(char punctuation);
    bool AcceptWord(std::string_view word);
    void Expect(char punctuation);
    void ExpectWord(std::string_view word);
    [[noreturn]] void Fail(const Token& at, std::string message) const;

    // "<prefix><digits>" with a value below limit, e.g. R0..R11.
    int RegisterNumber(const Token& token, std::string_view prefix, int limit) const;
    // A decimal integer token below limit.
    int Integer(int limit);
    // [-|+] number, as a float.
    float SignedNumber();
    // "." followed by one component, or four.
    Swizzle SwizzleSuffix();
    // "." followed by one component.
    Swizzle ScalarSuffix();
    // An optional ".xyzw" write mask, components in order.
    std::uint8_t OptionalWriteMask();

  private:
    std::vector<Token> m_tokens;
    std::size_t m_next = 0;
};

// Whether token is "<prefix><digits>".
bool IsRegisterName(const Token& token, std::string_view prefix);

}  // namespace nvprog
