#include "tools/uidriver/ScenarioWords_win.h"

#include <windows.h>

#include "tools/uidriver/UiDriver_win.h"

namespace uidriver {

namespace {

std::string Expand(const std::string& word) {
    std::string out;
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '$' && i + 1 < word.size() && word[i + 1] == '{') {
            const size_t end = word.find('}', i);
            if (end != std::string::npos) {
                out += Environment(word.substr(i + 2, end - i - 2));
                i = end;
                continue;
            }
        }
        out += word[i];
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string Environment(const std::string& name) {
    wchar_t value[4096] = {};
    const DWORD length = GetEnvironmentVariableW(Utf8ToWide(name).c_str(), value, 4096);
    return length > 0 && length < 4096 ? WideToUtf8(value) : std::string();
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        if (i >= line.size() || line[i] == '#') {
            break;
        }
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] != '\\' || i + 1 >= line.size()) {
                    word += line[i];
                    continue;
                }
                const char escaped = line[++i];
                if (escaped == 'n') {
                    word += '\n';
                } else if (escaped == 'r') {
                    word += '\r';
                } else if (escaped == 'x' && i + 2 < line.size() && HexDigit(line[i + 1]) >= 0 &&
                           HexDigit(line[i + 2]) >= 0) {
                    word += static_cast<char>(HexDigit(line[i + 1]) * 16 + HexDigit(line[i + 2]));
                    i += 2;
                } else {
                    word += escaped;
                }
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                word += line[i++];
            }
        }
        words.push_back(Expand(word));
    }
    return words;
}

}  // namespace uidriver
