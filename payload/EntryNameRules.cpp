#include "payload/EntryNameRules.h"

#include <array>

namespace payload {

namespace {

constexpr std::array<std::string_view, 6> kPlainDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
// Followed by one digit: COM0 .. COM9, LPT0 .. LPT9.
constexpr std::array<std::string_view, 2> kNumberedDevices = {"COM", "LPT"};

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsDotsAndSpaces(std::string_view part) {
    for (char c : part) {
        if (c != '.' && c != ' ') {
            return false;
        }
    }
    return true;  // also for the empty part
}

NameProblem PartProblem(std::string_view part) {
    if (IsDotsAndSpaces(part)) {
        return NameProblem::Outside;
    }
    if (IsDeviceName(part)) {
        return NameProblem::DeviceName;
    }
    if (part.back() == '.' || part.back() == ' ') {
        return NameProblem::TrailingDotOrSpace;
    }
    return NameProblem::None;
}

}  // namespace

bool IsReservedNameCharacter(unsigned char byte) {
    return (byte >= 1 && byte <= 31) || byte == '<' || byte == '>' || byte == '"' || byte == '|' || byte == '?' ||
           byte == '*';
}

bool IsDeviceName(std::string_view part) {
    std::string_view base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    for (std::string_view device : kPlainDevices) {
        if (SameIgnoringAsciiCase(base, device)) {
            return true;
        }
    }
    for (std::string_view device : kNumberedDevices) {
        if (base.size() == device.size() + 1 && SameIgnoringAsciiCase(base.substr(0, device.size()), device) &&
            base.back() >= '0' && base.back() <= '9') {
            return true;
        }
    }
    return false;
}

NameProblem FindNameProblem(std::string_view name, LeadByteTest isLeadByte) {
    // Outside comes first wherever it is: it is the problem that matters most.
    NameProblem found = NameProblem::None;
    const auto note = [&found](NameProblem problem) {
        if (problem == NameProblem::Outside || found == NameProblem::None) {
            found = problem;
        }
    };
    std::size_t partStart = 0;
    for (const text::Character c : text::Characters(name, isLeadByte)) {
        if (c.Is(':')) {
            return NameProblem::Outside;
        }
        if (c.IsSingle() && IsReservedNameCharacter(c.byte)) {
            note(NameProblem::ReservedCharacter);
        }
        if (c.Is('\\') || c.Is('/')) {
            note(PartProblem(name.substr(partStart, c.at - partStart)));
            if (found == NameProblem::Outside) {
                return found;
            }
            partStart = c.at + 1;
        }
    }
    note(PartProblem(name.substr(partStart)));
    return found;
}

const char* NameProblemText(NameProblem problem) {
    switch (problem) {
        case NameProblem::None:
            break;
        case NameProblem::Outside:
            return "the name could write outside the destination folder";
        case NameProblem::ReservedCharacter:
            return "the name holds a character Windows does not allow in a file name (< > \" | ? * or a control "
                   "character)";
        case NameProblem::DeviceName:
            return "the name is a device name (such as CON, AUX or COM1) that Windows would open instead of writing "
                   "a file";
        case NameProblem::TrailingDotOrSpace:
            return "a part of the name ends in a dot or a space, which Windows drops, so it would be written under "
                   "another name";
    }
    return "the name is sound";
}

}  // namespace payload
