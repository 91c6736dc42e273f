#include "app/commandline/CommandLineSplit.h"

namespace cmdline {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
    std::vector<std::wstring> arguments;
    const size_t length = line.size();
    if (length == 0) {
        return arguments;
    }

    size_t i = 0;
    std::wstring program;
    if (line[0] == L'"') {
        for (i = 1; i < length && line[i] != L'"'; ++i) {
            program += line[i];
        }
        if (i < length) {
            ++i;  // the closing quote
        }
    } else {
        for (; i < length && !IsBlank(line[i]); ++i) {
            program += line[i];
        }
    }
    arguments.push_back(program);

    while (i < length && IsBlank(line[i])) {
        ++i;
    }
    if (i == length) {
        return arguments;
    }

    std::wstring current;
    bool quoted = false;
    size_t backslashes = 0;  // directly before the current character
    while (i < length) {
        const wchar_t c = line[i];
        if (IsBlank(c) && !quoted) {
            arguments.push_back(current);
            current.clear();
            backslashes = 0;
            while (i < length && IsBlank(line[i])) {
                ++i;
            }
            if (i == length) {
                return arguments;
            }
            continue;
        }
        if (c == L'\\') {
            current += c;
            ++backslashes;
            ++i;
            continue;
        }
        if (c == L'"') {
            // Quotes counted in threes with the one that opened the quoted part, when it is open.
            int count = 0;
            if (backslashes % 2 == 0) {
                current.erase(current.size() - backslashes / 2);
                count = quoted ? 2 : 1;
            } else {
                current.erase(current.size() - backslashes / 2 - 1);
                current += L'"';
                count = quoted ? 1 : 0;
            }
            backslashes = 0;
            for (++i; i < length && line[i] == L'"'; ++i) {
                if (++count == 3) {
                    current += L'"';
                    count = 0;
                }
            }
            quoted = count == 1;
            continue;
        }
        current += c;
        backslashes = 0;
        ++i;
    }
    arguments.push_back(current);
    return arguments;
}

}  // namespace cmdline
