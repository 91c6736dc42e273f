#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <vector>

#include "payload/ArchiveCheck.h"
#include "payload/CertificateTable.h"
#include "payload/EntryName.h"
#include "payload/IntegrityRecord.h"
#include "payload/PayloadFormat.h"
#include "tools/vtpack/Commands.h"
#include "tools/vtpack/Gbk.h"
#include "tools/vtpack/PeChecksum.h"
#include "tools/vtpack/StdFileSource.h"
#include "tools/vtpack/StubVersion.h"

namespace fs = std::filesystem;

namespace {

// Archive names shown on the host: UTF-8, or the raw bytes when they are not valid GBK.
std::string Display(const std::string& name) {
    std::string utf8;
    return GbkToUtf8(name, utf8) ? utf8 : name;
}

bool OpenSource(const std::string& path, StdFileSource& source) {
    if (!source.IsOpen()) {
        std::cerr << "vtpack: cannot open \"" << path << "\"\n";
        return false;
    }
    return true;
}

// archiveEnd: where the archive ends, as the readers found it.
std::string SignatureLine(StdFileSource& file, std::uint64_t archiveEnd) {
    const payload::CertificateTable table = payload::FindCertificateTable(file);
    if (!table.Present()) {
        return "signature: none";
    }
    std::string line = "signature: a certificate table of " + std::to_string(table.size) + " bytes at offset " +
                       std::to_string(table.offset);
    line += archiveEnd == table.offset ? ", right behind the archive"
                                       : ", not at the end of the file: the archive ends at the file's end";
    return line + " (osslsigncode verify or signtool verify checks it)";
}

std::string ChecksumLine(StdFileSource& file) {
    payload::PeHeaders headers;
    std::uint32_t stored = 0;
    std::uint32_t computed = 0;
    if (!StoredPeChecksum(file, &headers, &stored)) {
        return "checksum: no PE headers";
    }
    if (stored == 0) {
        return "checksum: none";
    }
    if (!ComputePeChecksum(file, headers, &computed)) {
        return "checksum: " + std::to_string(stored) + ", the file could not be read to compare";
    }
    return "checksum: " + std::to_string(stored) +
           (stored == computed ? ", the whole file's" : ", not the whole file's (" + std::to_string(computed) + ")");
}

std::string RecordLine(payload::ArchiveSource& archive) {
    std::vector<std::uint32_t> offsets;
    payload::IntegrityRecord record;
    if (payload::ReadOffsetTable(archive, offsets) != payload::ArchiveError::None) {
        return "integrity record: none found (no readable table)";
    }
    switch (payload::ReadIntegrityRecord(archive, offsets.front(), record)) {
        case payload::RecordState::Absent:
            return "integrity record: none";
        case payload::RecordState::Unsupported:
            return "integrity record: version " + std::to_string(record.version) + ", algorithm " +
                   std::to_string(record.algorithm) + ", unknown to this vtpack";
        case payload::RecordState::Supported:
            break;
    }
    return "integrity record: XXH3-64 " + payload::DigestHex(record.digest) + " (vtpack verify checks it)";
}

}  // namespace

int ListCommand(const std::string& setupPath) {
    StdFileSource file(setupPath);
    if (!OpenSource(setupPath, file)) {
        return 1;
    }
    payload::ArchiveSpan source(file);
    std::map<std::string, int> folders;
    std::vector<std::string> folderOrder;
    std::uint64_t dataBytes = 0;
    std::size_t count = 0;
    const payload::WalkResult walk = payload::WalkArchive(source, [&](const payload::EntryView& entry) {
        std::cout << std::setw(5) << entry.index << std::setw(12) << entry.dataSize << "  " << Display(entry.name)
                  << "\n";
        const std::string folder(payload::FolderOf(entry.name));
        if (folders[folder]++ == 0) {
            folderOrder.push_back(folder);
        }
        dataBytes += entry.dataSize;
        ++count;
        return true;
    });
    std::cout << count << " entries, " << dataBytes << " bytes of data, in " << folderOrder.size() << " folders:\n";
    for (const std::string& folder : folderOrder) {
        std::cout << std::setw(6) << folders[folder] << "  " << (folder.empty() ? "(top level)" : Display(folder))
                  << "\n";
    }
    std::cout << "setup program: version " << StubVersionText(ReadStubVersion(file)) << "\n"
              << RecordLine(source) << "\n"
              << SignatureLine(file, source.Length()) << "\n"
              << ChecksumLine(file) << "\n";
    if (!walk.ok()) {
        std::cerr << "vtpack: entry " << walk.failedIndex << ": " << payload::ArchiveErrorText(walk.error) << "\n";
        return 1;
    }
    return 0;
}

int VerifyCommand(const std::string& setupPath) {
    StdFileSource file(setupPath);
    if (!OpenSource(setupPath, file)) {
        return 1;
    }
    payload::ArchiveSpan source(file);
    const payload::ArchiveCheckResult check = payload::CheckArchive(source);
    for (const std::string& problem : check.problems) {
        std::cerr << "vtpack: " << setupPath << ": " << Display(problem) << "\n";
    }
    if (!check.problems.empty()) {
        return 1;
    }
    std::cout << setupPath << ": " << check.entries.size() << " entries, archive sound\n"
              << "  " << payload::IntegrityText(check.integrity) << "\n"
              << "  " << SignatureLine(file, source.Length()) << "\n";
    return 0;
}

int ExtractCommand(const std::string& setupPath, const std::string& outputDir, const std::string& selection) {
    if (selection != "all" && selection != "payload" && selection != "drivers") {
        std::cerr << "vtpack: --select takes all, payload or drivers\n";
        return 2;
    }
    StdFileSource file(setupPath);
    if (!OpenSource(setupPath, file)) {
        return 1;
    }
    payload::ArchiveSpan source(file);
    std::vector<char> buffer(payload::kCopyBufferSize);
    std::string failure;
    std::size_t written = 0;
    const payload::WalkResult walk = payload::WalkArchive(source, [&](const payload::EntryView& entry) {
        const std::string_view folder = payload::FolderOf(entry.name);
        if ((selection == "payload" && !payload::IsSelected(payload::Selection::Payload, folder)) ||
            (selection == "drivers" && !payload::IsSelected(payload::Selection::Drivers, folder))) {
            return true;
        }
        std::string name;
        if (!payload::IsSafeEntryName(entry.name) || !GbkToUtf8(entry.name, name)) {
            failure = "entry " + std::to_string(entry.index) + " \"" + Display(entry.name) +
                      "\": the name is not safe to write";
            return false;
        }
        for (char& c : name) {
            if (c == '\\') {
                c = '/';
            }
        }
        const fs::path target = fs::path(outputDir) / name;
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out) {
            failure = "cannot write \"" + target.string() + "\"";
            return false;
        }
        for (std::uint64_t done = 0; done < entry.dataSize;) {
            const auto chunk =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(entry.dataSize - done, buffer.size()));
            if (!source.ReadAt(entry.dataOffset + done, buffer.data(), chunk) || !out.write(buffer.data(), chunk)) {
                failure = "cannot copy \"" + target.string() + "\"";
                return false;
            }
            done += chunk;
        }
        ++written;
        return true;
    });
    if (!walk.ok()) {
        std::cerr << "vtpack: "
                  << (failure.empty()
                          ? "entry " + std::to_string(walk.failedIndex) + ": " + payload::ArchiveErrorText(walk.error)
                          : failure)
                  << "\n";
        return 1;
    }
    std::cout << "vtpack: extracted " << written << " files into " << outputDir << "\n";
    return 0;
}
