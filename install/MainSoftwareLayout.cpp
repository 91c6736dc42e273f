#include "install/MainSoftwareLayout.h"

#include "install/FolderPath.h"
#include "payload/EntryNameRules.h"

namespace install {

std::string InstallFolderFor(const std::string& targetFolder, text::LeadByteTest isLeadByte) {
    if (!IsFullPath(targetFolder, isLeadByte)) {
        return std::string();
    }
    return WithTrailingBackslash(targetFolder, isLeadByte) + kInstallFolderName;
}

std::string ShortcutBaseName(const std::string& productName, text::LeadByteTest isLeadByte) {
    bool onlyDotsAndSpaces = true;
    for (const text::Character c : text::Characters(productName, isLeadByte)) {
        if (c.Is('\\') || c.Is('/') || c.Is(':') || (c.IsSingle() && payload::IsReservedNameCharacter(c.byte))) {
            return kDefaultShortcutName;
        }
        onlyDotsAndSpaces = onlyDotsAndSpaces && (c.Is('.') || c.Is(' '));
    }
    if (onlyDotsAndSpaces || payload::IsDeviceName(productName)) {
        return kDefaultShortcutName;
    }
    return productName;
}

std::string ShortcutPath(const std::string& folder, const std::string& productName, text::LeadByteTest isLeadByte) {
    return folder + ShortcutBaseName(productName, isLeadByte) + ".lnk";
}

}  // namespace install
