#include "payload/EntryName.h"

#include "framework/PathFolder.h"
#include "payload/EntryNameRules.h"
#include "payload/PayloadFormat.h"

#include <cstring>

namespace payload {

std::string NameFromField(const char* field) {
    // memchr, not strnlen: msvcrt.dll of older Windows has no strnlen, and the runtime's own copy would
    // bring its unwind table into the setup's image.
    const void* end = std::memchr(field, '\0', kMaxNameLength);
    return std::string(field, end ? static_cast<const char*>(end) - field : kMaxNameLength);
}

std::size_t LastSeparator(std::string_view name, LeadByteTest isLeadByte) {
    return text::FindLastCharacter(name, kFolderSeparator, isLeadByte);
}

std::string_view FolderOf(std::string_view name, LeadByteTest isLeadByte) {
    const std::string_view folder = text::FolderOfPath(name, isLeadByte);
    return folder.substr(0, folder.empty() ? 0 : folder.size() - 1);
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
