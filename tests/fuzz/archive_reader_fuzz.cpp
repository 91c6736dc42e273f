// libFuzzer: any bytes as the tail of a setup file. The walk and the full check must neither crash nor
// read outside the file, and every entry they report must lie inside it.
#include <cstdint>
#include <cstring>
#include <string>

#include "payload/ArchiveCheck.h"
#include "payload/ArchiveReader.h"
#include "payload/EntryName.h"
#include "tests/fuzz/FuzzSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSource source(data, size);
    payload::WalkArchive(source, [&](const payload::EntryView& entry) {
        if (entry.dataOffset + entry.dataSize > size || entry.dataSize == 0 || entry.name.size() > 399) {
            __builtin_trap();
        }
        payload::IsSafeEntryName(entry.name);
        payload::IsSelected(payload::Selection::Payload, payload::FolderOf(entry.name));
        return true;
    });
    payload::CheckArchive(source);
    return 0;
}
