#include "install/MainSoftwareLayout.h"

#include "install/FolderPath.h"
#include "payload/EntryNameRules.h"

namespace install {

std::string InstallFolderFor(const std::string& targetFolder, payload::LeadByteTest isLeadByte) {
    if (!IsFullPath(targetFolder, isLeadByte)) {
        return std::string();
    }
    return WithTrailingBackslash(targetFolder, isLeadByte) + kInstallFolderName;
}

std::string ShortcutBaseName(const std::string& productName, payload::LeadByteTest isLeadByte) {
    bool onlyDotsAndSpaces = true;
    for (std::size_t i = 0; i < productName.size(); ++i) {
        const auto byte = static_cast<unsigned char>(productName[i]);
        if (isLeadByte(byte) && i + 1 < productName.size()) {
            ++i;  // a trail byte may look like "\" or "|" and is neither
            onlyDotsAndSpaces = false;
            continue;
        }
        if (byte == '\\' || byte == '/' || byte == ':' || payload::IsReservedNameCharacter(byte)) {
            return kDefaultShortcutName;
        }
        onlyDotsAndSpaces = onlyDotsAndSpaces && (byte == '.' || byte == ' ');
    }
    if (onlyDotsAndSpaces || payload::IsDeviceName(productName)) {
        return kDefaultShortcutName;
    }
    return productName;
}

std::string ShortcutPath(const std::string& folder, const std::string& productName, payload::LeadByteTest isLeadByte) {
    return folder + ShortcutBaseName(productName, isLeadByte) + ".lnk";
}

}  // namespace install
