#pragma once
// One INI file read and written through the system's profile functions. Made on the stack for one
// read or write; every operation accepts null arguments as described at its declaration.

#include <memory>
#include <string>
#include <vector>

class IniFile {
public:
    explicit IniFile(const char* path = nullptr);
    virtual ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // A non-null path replaces the stored one; null empties a stored path (or does nothing).
    void SetIniPath(const char* path);
    const char* Path() const { return m_path; }

    // The value of key in section, however long. With a null section or key: a copy of the default
    // ("" for a null default).
    std::unique_ptr<char[]> ReadStringRaw(const char* section, const char* key, const char* defaultValue);
    std::string GetString(const char* section, const char* key, const char* defaultValue);

    // Writes key=value (a null value as an empty one, never a deletion). A null section or key
    // writes nothing and returns 0; otherwise the system's result (non-zero on success).
    int WriteString(const char* section, const char* key, const char* value);

    // With a buffer: the section's "key=value" lines into it, returning what the system returns.
    // Without one: the size a buffer needs (the section's length + 2). A null section gives 0.
    unsigned ReadSection(const char* section, char* buffer, unsigned size);

    // The section's key names, each trimmed, as zero-terminated names closed by one more zero; buffer
    // needs size + 1 bytes. Returns their total length (each name + 1), also without a buffer.
    unsigned GetKeyNames(const char* section, char* buffer, unsigned size);
    // The section's key names in file order.
    void GetKeyNames(const char* section, std::vector<std::string>& names);

    static bool TrimSpaces(char* text);
    static int ForEachString(const char* list, int (*visitor)(const char*, void*), void* context);

private:
    // The whole section, read into a buffer large enough for it; `length` as the system reports it.
    std::unique_ptr<char[]> ReadWholeSection(const char* section, unsigned& length);

    char* m_path = nullptr;
};
