#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "payload/ArchiveWriter.h"
#include "payload/PackPlan.h"
#include "tools/vtpack/Commands.h"
#include "tools/vtpack/PayloadTree.h"
#include "tools/vtpack/PeChecksum.h"
#include "tools/vtpack/TemporaryOutput.h"

namespace fs = std::filesystem;

namespace {

// One entry from its file, which must still be what the tree showed: gone, shorter or longer now, the
// file changed while the setup was being built and the archive would not hold what was checked.
bool AddFile(payload::ArchiveWriter& writer, const payload::PackItem& item) {
    std::ifstream data(item.source, std::ios::binary);
    if (!data) {
        std::cerr << "vtpack: \"" << item.source << "\": cannot read the file: " << std::strerror(errno) << "\n";
        return false;
    }
    if (!writer.Add(item.name, data, item.size)) {
        std::cerr << "vtpack: \"" << item.source << "\": " << writer.Error() << "; did it change while it was read?\n";
        return false;
    }
    if (data.peek() != std::ifstream::traits_type::eof()) {
        std::cerr << "vtpack: \"" << item.source << "\": the file grew while it was read\n";
        return false;
    }
    return true;
}

}  // namespace

int BuildCommand(const std::string& payloadDir, const std::string& stubPath, const std::string& outputPath) {
    std::error_code error;
    if (!fs::is_directory(payloadDir, error)) {
        std::cerr << "vtpack: \"" << payloadDir << "\" is not a folder"
                  << (error ? ": " + error.message() : std::string()) << "\n";
        return 1;
    }
    PayloadTree tree = ReadPayloadTree(payloadDir);
    if (tree.items.empty() && tree.problems.empty()) {
        tree.problems.push_back("\"" + payloadDir + "\" holds no file: a setup without a payload installs nothing");
    }
    payload::OrderForExtraction(tree.items);
    const std::vector<std::string> planProblems = payload::FindPackProblems(tree.items);
    tree.problems.insert(tree.problems.end(), planProblems.begin(), planProblems.end());
    if (!tree.problems.empty()) {
        for (const std::string& problem : tree.problems) {
            std::cerr << "vtpack: " << problem << "\n";
        }
        std::cerr << "vtpack: nothing written\n";
        return 1;
    }
    return WriteSetup(tree.items, stubPath, outputPath);
}

int WriteSetup(const std::vector<payload::PackItem>& items,
               const std::string& stubPath,
               const std::string& outputPath) {
    std::ifstream stub(stubPath, std::ios::binary);
    if (!stub) {
        std::cerr << "vtpack: cannot read the stub \"" << stubPath << "\"\n";
        return 1;
    }
    if (!CheckStubUnsigned(stubPath)) {
        return 1;
    }
    TemporaryOutput output(outputPath);
    if (!output.IsOpen()) {
        std::cerr << "vtpack: " << output.Error() << "\n";
        return 1;
    }
    std::ostream& out = output.Stream();
    out << stub.rdbuf();
    const auto imageSize = static_cast<std::uint64_t>(out.tellp());

    payload::ArchivePlan plan;
    plan.entryCount = items.size();
    for (const payload::PackItem& item : items) {
        plan.dataBytes += item.size;
    }
    payload::ArchiveWriter writer(out, imageSize, plan);
    for (const payload::PackItem& item : items) {
        if (!AddFile(writer, item)) {
            return 1;  // the temporary goes with `output`
        }
    }
    if (!writer.Finish() || !out) {
        std::cerr << "vtpack: " << (writer.Error().empty() ? "cannot write \"" + output.Path() + "\"" : writer.Error())
                  << "\n";
        return 1;
    }
    // The stub's checksum covered the stub alone; the header now names the whole file's.
    std::string error;
    if (!out.flush() || !WritePeChecksum(output.Path(), &error)) {
        std::cerr << "vtpack: " << (error.empty() ? "cannot write \"" + output.Path() + "\"" : error) << "\n";
        return 1;
    }
    if (!output.Commit()) {
        std::cerr << "vtpack: " << output.Error() << "\n";
        return 1;
    }
    std::cout << "vtpack: wrote " << outputPath << ": " << items.size() << " entries, " << plan.dataBytes
              << " bytes of data behind a program image of " << imageSize << " bytes\n";
    return 0;
}
