#pragma once
// What an entry name must not be for the setup to write it as itself. Windows reads some names
// specially: a name that climbs out of the destination, a device name ("aux.txt" opens the serial
// port, not a file), a character it does not allow, or a part ending in a dot or space (Windows drops
// those, so "a.txt." is written as "a.txt"). vtpack refuses such names when it builds or verifies an
// archive, and the setup refuses them when it extracts.

#include <string_view>

#include "payload/EntryName.h"

namespace payload {

enum class NameProblem {
    None,
    Outside,             // empty, absolute, with ":", or a part that is empty or only dots and spaces
    ReservedCharacter,   // < > " | ? * or a control character
    DeviceName,          // CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$, with any extension
    TrailingDotOrSpace,  // a part that Windows would store under a shorter name
};

// The first problem of the name, parts split at "\" and "/" (Windows takes both), a double-byte
// character never split: its trail byte may look like "\" or "|" and is neither.
NameProblem FindNameProblem(std::string_view name, LeadByteTest isLeadByte = IsGbkLeadByte);

// One line saying what is wrong, starting with "the name".
const char* NameProblemText(NameProblem problem);

// Characters Windows takes in no file name, besides the separators "\" and "/" and the ":" of a drive
// or stream: < > " | ? * and the control characters 1 to 31.
bool IsReservedNameCharacter(unsigned char byte);

// Whether one part of a path is a name Windows opens as a device, in any letter case and with any
// extension: the device is the text before the first dot, trailing spaces dropped ("Aux .txt").
bool IsDeviceName(std::string_view part);

}  // namespace payload
