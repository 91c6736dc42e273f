#include "payload/EntryName.h"

#include "payload/EntryNameRules.h"
#include "payload/PayloadFormat.h"

#include <cstring>

namespace payload {

bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

std::string NameFromField(const char* field) {
    return std::string(field, strnlen(field, kMaxNameLength));
}

std::size_t LastSeparator(std::string_view name, LeadByteTest isLeadByte) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (isLeadByte(byte) && i + 1 < name.size()) {
            ++i;  // the trail byte may look like "\" but belongs to the character
        } else if (byte == static_cast<unsigned char>(kFolderSeparator)) {
            last = i;
        }
    }
    return last;
}

std::string_view FolderOf(std::string_view name, LeadByteTest isLeadByte) {
    const std::size_t last = LastSeparator(name, isLeadByte);
    return last == std::string_view::npos ? std::string_view() : name.substr(0, last);
}

bool IsSafeEntryName(std::string_view name, LeadByteTest isLeadByte) {
    return FindNameProblem(name, isLeadByte) == NameProblem::None;
}

bool IsSelected(Selection selection, std::string_view folder) {
    switch (selection) {
        case Selection::Payload:
            return folder != kMxDriverFolder && folder != kContourFolder;
        case Selection::Drivers:
            return folder == kMxDriverFolder || folder == kQtxDriverFolder || folder == kQtxDriverAmd64Folder ||
                   folder == kQtxDriverX86Folder;
    }
    return false;
}

}  // namespace payload
