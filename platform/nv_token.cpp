#include "platform/nv_token.h"

namespace nvprog {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}
bool IsWordChar(char c) {
    return IsLetter(c) || IsDigit(c);
}

class Scanner {
  public:
    explicit Scanner(std::string_view text, std::size_t start) : m_text(text), m_pos(start) {}

    std::vector<Token> Run() {
        std::vector<Token> tokens;
        for (;;) {
            SkipBlanks();
            if (m_pos >= m_text.size()) {
                tokens.push_back({TokenKind::End, {}, m_text.size()});
                return tokens;
            }
            tokens.push_back(Next());
        }
    }

  private:
    char At(std::size_t i) const { return i < m_text.size() ? m_text[i] : '\0'; }

    void SkipBlanks() {
        while (m_pos < m_text.size()) {
            if (IsSpace(m_text[m_pos])) {
                ++m_pos;
            } else if (m_text[m_pos] == '#') {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                    ++m_pos;
            } else {
                return;
            }
        }
    }

    Token Next() {
        const std::size_t begin = m_pos;
        const char c = m_text[m_pos];
        if (IsDigit(c) || (c == '.' && IsDigit(At(m_pos + 1))))
            return ScanNumber(begin);
        if (IsLetter(c))
            return ScanWord(begin);
        ++m_pos;
        return Make(TokenKind::Punctuation, begin);
    }

    Token ScanWord(std::size_t begin) {
        while (m_pos < m_text.size() && IsWordChar(m_text[m_pos]))
            ++m_pos;
        return Make(TokenKind::Word, begin);
    }

    // A digit run followed directly by letters ("2D") is one word.
    Token ScanNumber(std::size_t begin) {
        SkipDigits();
        if (IsLetter(At(m_pos)) && !IsExponent())
            return ScanWord(begin);
        if (At(m_pos) == '.') {
            ++m_pos;
            SkipDigits();
        }
        if (IsExponent()) {
            m_pos += (At(m_pos + 1) == '+' || At(m_pos + 1) == '-') ? 2 : 1;
            SkipDigits();
        }
        return Make(TokenKind::Number, begin);
    }

    bool IsExponent() const {
        const char e = At(m_pos);
        if (e != 'e' && e != 'E')
            return false;
        const char n = At(m_pos + 1);
        return IsDigit(n) || ((n == '+' || n == '-') && IsDigit(At(m_pos + 2)));
    }

    void SkipDigits() {
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos]))
            ++m_pos;
    }

    Token Make(TokenKind kind, std::size_t begin) const {
        return {kind, m_text.substr(begin, m_pos - begin), begin};
    }

    std::string_view m_text;
    std::size_t m_pos;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view text, std::size_t start) {
    return Scanner(text, start).Run();
}

}  // namespace nvprog
