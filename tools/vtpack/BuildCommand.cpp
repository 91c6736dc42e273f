#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "payload/ArchiveWriter.h"
#include "payload/PackPlan.h"
#include "tools/vtpack/Commands.h"
#include "tools/vtpack/Gbk.h"

namespace fs = std::filesystem;

namespace {

// The archive name of a file of the payload tree, or false with the reason in problem.
bool ArchiveNameOf(const fs::path& relative, std::string& name, std::string& problem) {
    name.clear();
    for (const fs::path& part : relative) {
        const std::string text = part.string();
        // On Linux "\" is an ordinary character; in the archive it would start a new folder.
        if (text.find('\\') != std::string::npos) {
            problem = "its name holds a \"\\\", which the setup would take for a folder separator";
            return false;
        }
        std::string gbk;
        if (!Utf8ToGbk(text, gbk)) {
            problem = "its name is not UTF-8 or holds a character that code page 936 cannot represent";
            return false;
        }
        if (!name.empty()) {
            name += '\\';
        }
        name += gbk;
    }
    return true;
}

bool CollectItems(const fs::path& root, std::vector<payload::PackItem>& items, std::vector<std::string>& problems) {
    std::error_code error;
    fs::recursive_directory_iterator it(root, fs::directory_options::follow_directory_symlink, error);
    if (error) {
        problems.push_back("\"" + root.string() + "\": " + error.message());
        return false;
    }
    for (const fs::directory_entry& entry : it) {
        if (entry.is_directory()) {
            continue;  // a folder is created by the entries in it; an empty one cannot travel
        }
        const fs::path relative = fs::relative(entry.path(), root);
        if (!entry.is_regular_file()) {
            problems.push_back("\"" + entry.path().string() + "\": not a regular file");
            continue;
        }
        payload::PackItem item;
        item.source = entry.path().string();
        item.size = entry.file_size();
        std::string problem;
        if (!ArchiveNameOf(relative, item.name, problem)) {
            problems.push_back("\"" + item.source + "\": " + problem);
            continue;
        }
        items.push_back(std::move(item));
    }
    return true;
}

}  // namespace

int BuildCommand(const std::string& payloadDir, const std::string& stubPath, const std::string& outputPath) {
    std::vector<payload::PackItem> items;
    std::vector<std::string> problems;
    if (!fs::is_directory(payloadDir)) {
        std::cerr << "vtpack: \"" << payloadDir << "\" is not a folder\n";
        return 1;
    }
    CollectItems(payloadDir, items, problems);
    payload::OrderForExtraction(items);
    const std::vector<std::string> planProblems = payload::FindPackProblems(items);
    problems.insert(problems.end(), planProblems.begin(), planProblems.end());
    if (!problems.empty()) {
        for (const std::string& problem : problems) {
            std::cerr << "vtpack: " << problem << "\n";
        }
        std::cerr << "vtpack: nothing written\n";
        return 1;
    }

    std::ifstream stub(stubPath, std::ios::binary);
    if (!stub) {
        std::cerr << "vtpack: cannot read the stub \"" << stubPath << "\"\n";
        return 1;
    }
    if (!CheckStubUnsigned(stubPath)) {
        return 1;
    }
    const std::string temporary = outputPath + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "vtpack: cannot write \"" << temporary << "\"\n";
        return 1;
    }
    out << stub.rdbuf();
    const auto imageSize = static_cast<std::uint64_t>(out.tellp());

    payload::ArchivePlan plan;
    plan.entryCount = items.size();
    for (const payload::PackItem& item : items) {
        plan.dataBytes += item.size;
    }
    payload::ArchiveWriter writer(out, imageSize, plan);
    std::uint64_t dataBytes = 0;
    bool ok = true;
    for (const payload::PackItem& item : items) {
        std::ifstream data(item.source, std::ios::binary);
        if (!data || !writer.Add(item.name, data, item.size)) {
            ok = false;
            break;
        }
        dataBytes += item.size;
    }
    ok = ok && writer.Finish();
    out.close();
    if (!ok || !out) {
        std::cerr << "vtpack: " << (writer.Error().empty() ? "cannot write \"" + temporary + "\"" : writer.Error())
                  << "\n";
        std::remove(temporary.c_str());
        return 1;
    }
    std::error_code error;
    fs::rename(temporary, outputPath, error);
    if (error) {
        std::cerr << "vtpack: cannot rename \"" << temporary << "\" to \"" << outputPath << "\": " << error.message()
                  << "\n";
        return 1;
    }
    std::cout << "vtpack: wrote " << outputPath << ": " << items.size() << " entries, " << dataBytes
              << " bytes of data behind a program image of " << imageSize << " bytes\n";
    return 0;
}
