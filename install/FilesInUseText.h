#pragma once
// The text of the box that names the files in use before an installation writes anything: the
// lead-in, then one path per line, at most ten of them, and for the rest "and N more".

#include <cstddef>
#include <string>
#include <vector>

namespace install {

inline constexpr std::size_t kMaxFilesNamed = 10;

// `more` holds "%" where the number of files left unnamed goes ("and % more").
std::wstring FilesInUseText(const std::wstring& leadIn,
                            const std::vector<std::wstring>& paths,
                            const std::wstring& more);

}  // namespace install
