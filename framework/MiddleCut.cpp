#include "framework/MiddleCut.h"

namespace {

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The text with `kept` of its units left: kept / 2 from the start, the rest from the end.
std::wstring Cut(const std::wstring& text, std::size_t kept) {
    std::size_t head = kept / 2;
    std::size_t tail = kept - head;
    if (head > 0 && IsHighSurrogate(text[head - 1])) {
        --head;
    }
    if (tail > 0 && IsLowSurrogate(text[text.size() - tail])) {
        --tail;
    }
    return text.substr(0, head) + L"\u2026" + text.substr(text.size() - tail);
}

}  // namespace

std::wstring CutInTheMiddle(const std::wstring& text, TextFits fits, void* context) {
    if (text.empty() || fits(text, context)) {
        return text;
    }
    // The most units kept that still fit: fewer kept never makes the line wider.
    std::size_t low = 0;
    std::size_t high = text.size() - 1;
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (fits(Cut(text, middle), context)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return Cut(text, low);
}
