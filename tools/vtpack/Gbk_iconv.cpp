#include "tools/vtpack/Gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

bool Convert(const char* to, const char* from, std::string_view input, std::string& output) {
    output.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::string in(input);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    std::vector<char> buffer(in.size() * 2 + 16);
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    if (ok) {
        output.assign(buffer.data(), buffer.size() - outLeft);
    }
    return ok;
}

}  // namespace

bool Utf8ToGbk(std::string_view utf8, std::string& gbk) {
    return Convert("CP936", "UTF-8", utf8, gbk);
}

bool GbkToUtf8(std::string_view gbk, std::string& utf8) {
    return Convert("UTF-8", "CP936", gbk, utf8);
}
