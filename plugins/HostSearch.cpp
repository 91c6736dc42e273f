#include "plugins/HostSearch.h"

namespace plugins {

std::array<RegistryView, 2> ViewsToSearch(bool setupIs64Bit, bool hostIs64Bit) {
    if (hostIs64Bit && !setupIs64Bit) {
        return {RegistryView::Other, RegistryView::Own};
    }
    return {RegistryView::Own, RegistryView::Other};
}

std::string FolderKey(const std::string& folder, payload::LeadByteTest isLeadByte) {
    std::string key;
    key.reserve(folder.size());
    bool afterSeparator = false;  // the last byte added is a separator, not a trail byte that looks like one
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const char c = folder[i];
        if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < folder.size()) {
            key += c;
            key += folder[++i];
            afterSeparator = false;
        } else if (c == '\\' || c == '/') {
            // A UNC path's leading "\\\\" is part of its name; elsewhere a run is one separator.
            if (!afterSeparator || key.size() == 1) {
                key += '\\';
            }
            afterSeparator = true;
        } else {
            key += c;
            afterSeparator = false;
        }
    }
    if (afterSeparator && key.size() > 1) {
        key.pop_back();
    }
    return key;
}

}  // namespace plugins
