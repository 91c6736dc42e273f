#include "payload/NameFold.h"

namespace payload {

namespace {

// A run of double-byte characters of one lead byte whose other case is `shift` trail bytes further on.
struct CasePairs {
    unsigned char lead;
    unsigned char firstTrail;  // the case folded away
    unsigned char lastTrail;
    int shift;  // to the case kept
};

// Code page 936's letters with two cases; every other double-byte character has one case only.
constexpr CasePairs kGbkCasePairs[] = {
    {0xA3, 0xC1, 0xDA, 0x20},   // full-width A..Z -> a..z
    {0xA6, 0xA1, 0xB8, 0x20},   // Greek capitals -> small letters
    {0xA7, 0xA1, 0xC1, 0x30},   // Cyrillic capitals -> small letters
    {0xA2, 0xF1, 0xFA, -0x50},  // Roman numerals I..X -> i..x
};

char FoldTrail(unsigned char lead, unsigned char trail) {
    for (const CasePairs& pairs : kGbkCasePairs) {
        if (lead == pairs.lead && trail >= pairs.firstTrail && trail <= pairs.lastTrail) {
            return static_cast<char>(trail + pairs.shift);
        }
    }
    return static_cast<char>(trail);
}

void DropTrailingDotsAndSpaces(std::string& folded, std::size_t partStart) {
    while (folded.size() > partStart && (folded.back() == '.' || folded.back() == ' ')) {
        folded.pop_back();
    }
}

}  // namespace

std::string FoldedEntryName(std::string_view name, LeadByteTest isLeadByte) {
    std::string folded;
    folded.reserve(name.size());
    std::size_t partStart = 0;
    for (const text::Character c : text::Characters(name, isLeadByte)) {
        if (!c.IsSingle()) {
            folded += static_cast<char>(c.byte);
            folded += FoldTrail(c.byte, static_cast<unsigned char>(name[c.at + 1]));
        } else if (c.Is('\\') || c.Is('/')) {
            DropTrailingDotsAndSpaces(folded, partStart);
            folded += '\\';
            partStart = folded.size();
        } else {
            folded +=
                c.byte >= 'A' && c.byte <= 'Z' ? static_cast<char>(c.byte - 'A' + 'a') : static_cast<char>(c.byte);
        }
    }
    DropTrailingDotsAndSpaces(folded, partStart);
    return folded;
}

}  // namespace payload
