#include "framework/IniFile_win.h"

#include <windows.h>

#include <cstring>

#include "framework/IniText.h"
#include "framework/SystemLeadByte_win.h"

namespace {

std::unique_ptr<char[]> CopyOf(const char* text) {
    const size_t length = std::strlen(text);
    auto copy = std::make_unique<char[]>(length + 1);
    std::memcpy(copy.get(), text, length + 1);
    return copy;
}

// Reads through `read` (which fills a buffer of the capacity it is given and returns the length it
// wrote) into ever larger buffers until the text fits with `slack` bytes to spare, or the capacities
// run out; the buffer has one more byte, zero, behind the capacity.
template <typename Read>
std::unique_ptr<char[]> ReadGrowing(unsigned slack, unsigned& length, Read read) {
    unsigned capacity = ini::kFirstReadCapacity;
    for (;;) {
        auto buffer = std::make_unique<char[]>(capacity + 1);
        length = read(buffer.get(), capacity);
        const unsigned next = ini::NextReadCapacity(capacity);
        if (length + slack < capacity || next == 0) {
            return buffer;
        }
        capacity = next;
    }
}

}  // namespace

IniFile::IniFile(const char* path) {
    SetIniPath(path);
}

IniFile::~IniFile() {
    delete[] m_path;
}

void IniFile::SetIniPath(const char* path) {
    if (path) {
        delete[] m_path;
        m_path = CopyOf(path).release();
    } else if (m_path) {
        m_path[0] = '\0';
    }
}

std::unique_ptr<char[]> IniFile::ReadStringRaw(const char* section, const char* key, const char* defaultValue) {
    if (!defaultValue) {
        defaultValue = "";
    }
    if (!section || !key) {
        return CopyOf(defaultValue);
    }
    unsigned length = 0;
    return ReadGrowing(1, length, [&](char* buffer, unsigned capacity) {
        return GetPrivateProfileStringA(section, key, defaultValue, buffer, capacity, m_path);
    });
}

std::string IniFile::GetString(const char* section, const char* key, const char* defaultValue) {
    return ReadStringRaw(section, key, defaultValue).get();
}

int IniFile::WriteString(const char* section, const char* key, const char* value) {
    if (!section || !key) {
        return 0;
    }
    return WritePrivateProfileStringA(section, key, value ? value : "", m_path);
}

unsigned IniFile::ReadSection(const char* section, char* buffer, unsigned size) {
    if (buffer) {
        buffer[0] = '\0';
    }
    if (!section) {
        return 0;
    }
    if (buffer) {
        return GetPrivateProfileSectionA(section, buffer, size, m_path);
    }
    unsigned length = 0;
    ReadWholeSection(section, length);
    return length + 2;
}

std::unique_ptr<char[]> IniFile::ReadWholeSection(const char* section, unsigned& length) {
    return ReadGrowing(2, length, [&](char* buffer, unsigned capacity) {
        return GetPrivateProfileSectionA(section, buffer, capacity, m_path);
    });
}

unsigned IniFile::GetKeyNames(const char* section, char* buffer, unsigned size) {
    if (buffer) {
        buffer[0] = '\0';
    }
    if (!section) {
        return 0;
    }
    unsigned length = 0;
    const auto lines = ReadWholeSection(section, length);
    ini::KeyNameCollector collector;
    collector.buffer = buffer;
    collector.capacity = size;
    collector.isLeadByte = IsSystemLeadByte;
    ini::ForEachString(lines.get(), ini::CollectKeyName, &collector);
    return static_cast<unsigned>(ini::FinishKeyNames(collector));
}

void IniFile::GetKeyNames(const char* section, std::vector<std::string>& names) {
    names.clear();
    const unsigned total = GetKeyNames(section, nullptr, 0);
    auto buffer = std::make_unique<char[]>(total + 1);
    GetKeyNames(section, buffer.get(), total);
    for (const char* name = buffer.get(); *name; name += std::strlen(name) + 1) {
        names.emplace_back(name);
    }
}

bool IniFile::TrimSpaces(char* text) {
    return ini::TrimSpaces(text);
}

int IniFile::ForEachString(const char* list, int (*visitor)(const char*, void*), void* context) {
    return ini::ForEachString(list, visitor, context);
}
