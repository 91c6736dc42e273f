#include "install/FolderProtection.h"

namespace install {

namespace {

// The well-known SID abbreviations of SDDL.
const char* SidOf(Trustee who) {
    switch (who) {
        case Trustee::Administrators:
            return "BA";
        case Trustee::System:
            return "SY";
        case Trustee::Users:
            return "BU";
    }
    return "";
}

std::string Hex(std::uint32_t value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
    return text;
}

}  // namespace

std::string ProtectedFolderSddl() {
    std::string sddl = "D:PAI";
    for (const FolderAccess& access : kProtectedFolderAccess) {
        sddl += "(A;OICI;" + Hex(access.rights) + ";;;" + SidOf(access.who) + ")";
    }
    return sddl;
}

std::string ProtectedFolderWithOwnerSddl() {
    return "O:BA" + ProtectedFolderSddl();
}

std::string InheritedBelowSddl(bool isFolder) {
    // "AI": the entries came by automatic inheritance, so a later change of the folder's reaches them.
    std::string sddl = "O:BAD:AI";
    for (const FolderAccess& access : kProtectedFolderAccess) {
        sddl += std::string("(A;") + (isFolder ? "OICIID" : "ID") + ";" + Hex(access.rights) + ";;;" +
                SidOf(access.who) + ")";
    }
    return sddl;
}

}  // namespace install
