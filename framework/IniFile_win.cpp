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
    unsigned capacity = ini::kFirstReadCapacity;
    for (;;) {
        auto buffer = std::make_unique<char[]>(capacity + 1);
        const DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer.get(), capacity, m_path);
        const unsigned next = ini::NextReadCapacity(capacity);
        if (length + 1 < capacity || next == 0) {
            return buffer;
        }
        capacity = next;
    }
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
    unsigned capacity = ini::kFirstReadCapacity;
    for (;;) {
        auto probe = std::make_unique<char[]>(capacity + 1);
        const DWORD length = GetPrivateProfileSectionA(section, probe.get(), capacity, m_path);
        const unsigned next = ini::NextReadCapacity(capacity);
        if (length + 2 < capacity || next == 0) {
            return length + 2;
        }
        capacity = next;
    }
}

unsigned IniFile::GetKeyNames(const char* section, char* buffer, unsigned size) {
    if (buffer) {
        buffer[0] = '\0';
    }
    if (!section) {
        return 0;
    }
    const unsigned needed = ReadSection(section, nullptr, 0);
    if (needed == 0) {
        return 0;
    }
    auto lines = std::make_unique<char[]>(needed + 1);
    ReadSection(section, lines.get(), needed);
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
