#pragma once
// Paths, names and values are byte strings in the system's code page, which may be a double-byte one
// (936, 950, 932), where the second byte of a character can be "\" (0x5C) or "|" (0x7C): 東 is 96 7C in
// code page 936, 表 is 95 5C in 932. Every rule that looks at single characters of such text walks it
// character by character with this walk, never byte by byte.

#include <cstddef>
#include <string_view>

namespace text {

// True when the byte starts a two-byte character. The setup passes the system's answer
// (IsSystemLeadByte), the packer and the tests a code page's own.
using LeadByteTest = bool (*)(unsigned char byte);

// Lead bytes of code page 936 (GBK), the code page of the archive's names.
inline bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// One character: where it starts, its bytes (1 or 2) and its first byte. A lead byte at the end of the
// text has nothing to pair with and stands alone.
struct Character {
    std::size_t at;
    std::size_t size;
    unsigned char byte;

    // The one-byte character c: never true for a two-byte character, whatever its second byte.
    bool Is(char c) const { return size == 1 && byte == static_cast<unsigned char>(c); }
    bool IsSingle() const { return size == 1; }
};

// The characters of a text from a position that starts one, for a range-for:
//   for (const text::Character c : text::Characters(path, isLeadByte)) { if (c.Is('\\')) ... }
class Characters {
public:
    Characters(std::string_view text, LeadByteTest isLeadByte, std::size_t from = 0)
        : m_text(text), m_isLeadByte(isLeadByte), m_from(from < text.size() ? from : text.size()) {}

    class Iterator {
    public:
        Iterator(const Characters* walk, std::size_t at) : m_walk(walk), m_at(at) {}
        Character operator*() const {
            const auto byte = static_cast<unsigned char>(m_walk->m_text[m_at]);
            const bool pair = m_walk->m_isLeadByte(byte) && m_at + 1 < m_walk->m_text.size();
            return {m_at, pair ? 2u : 1u, byte};
        }
        Iterator& operator++() {
            m_at += (**this).size;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_at != other.m_at; }

    private:
        const Characters* m_walk;
        std::size_t m_at;
    };

    Iterator begin() const { return Iterator(this, m_from); }
    Iterator end() const { return Iterator(this, m_text.size()); }

private:
    std::string_view m_text;
    LeadByteTest m_isLeadByte;
    std::size_t m_from;
};

// Position of the first one-byte character c at or after `from`, or npos.
inline std::size_t FindCharacter(std::string_view text, char c, LeadByteTest isLeadByte, std::size_t from = 0) {
    for (const Character character : Characters(text, isLeadByte, from)) {
        if (character.Is(c)) {
            return character.at;
        }
    }
    return std::string_view::npos;
}

// Position of the last one-byte character c, or npos.
inline std::size_t FindLastCharacter(std::string_view text, char c, LeadByteTest isLeadByte) {
    std::size_t last = std::string_view::npos;
    for (const Character character : Characters(text, isLeadByte)) {
        if (character.Is(c)) {
            last = character.at;
        }
    }
    return last;
}

}  // namespace text
