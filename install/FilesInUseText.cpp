#include "install/FilesInUseText.h"

#include "framework/FormatNumber.h"

namespace install {

std::wstring FilesInUseText(const std::wstring& leadIn,
                            const std::vector<std::wstring>& paths,
                            const std::wstring& more) {
    std::wstring text = leadIn;
    for (std::size_t i = 0; i < paths.size() && i < kMaxFilesNamed; ++i) {
        text += L"\r\n" + paths[i];
    }
    if (paths.size() > kMaxFilesNamed) {
        std::wstring rest = more;
        const std::size_t mark = rest.find(L'%');
        if (mark != std::wstring::npos) {
            rest.replace(mark, 1, FormatDecimalWide(static_cast<long long>(paths.size() - kMaxFilesNamed)));
        }
        text += L"\r\n" + rest;
    }
    return text;
}

}  // namespace install
