#include "tools/vtpack/TemporaryOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

TemporaryOutput::TemporaryOutput(const std::string& outputPath) : m_outputPath(outputPath) {
    // Beside the output, so the final rename stays on one file system.
    const std::filesystem::path output(outputPath);
    std::string pattern = (output.parent_path() / ("." + output.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = mkstemp(name.data());
    if (m_fd < 0) {
        m_error = "cannot create a temporary file beside \"" + outputPath + "\": " + std::strerror(errno);
        return;
    }
    m_path = name.data();
    m_buffer = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(m_fd, std::ios::out | std::ios::binary, kBufferSize);
    m_stream = std::make_unique<std::ostream>(m_buffer.get());
}

TemporaryOutput::~TemporaryOutput() {
    Discard();
}

void TemporaryOutput::Discard() {
    m_stream.reset();
    if (m_buffer) {
        m_buffer->close();  // closes the descriptor too
        m_buffer.reset();
    }
    m_fd = -1;
    if (!m_path.empty()) {
        std::remove(m_path.c_str());
        m_path.clear();
    }
}

bool TemporaryOutput::Fail(const std::string& what) {
    m_error = what + " \"" + m_path + "\": " + std::strerror(errno);
    Discard();
    return false;
}

bool TemporaryOutput::Commit() {
    if (!IsOpen()) {
        return false;
    }
    errno = 0;
    if (!m_stream->flush()) {
        return Fail("cannot write");
    }
    // mkstemp makes the file readable by its owner only; a setup is given to others.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(m_fd, 0666 & ~mask) != 0) {
        return Fail("cannot set the permissions of");
    }
    m_stream.reset();
    if (m_buffer->close() == nullptr) {
        return Fail("cannot write");
    }
    m_buffer.reset();
    m_fd = -1;
    if (std::rename(m_path.c_str(), m_outputPath.c_str()) != 0) {
        m_error = "cannot rename \"" + m_path + "\" to \"" + m_outputPath + "\": " + std::strerror(errno);
        Discard();
        return false;
    }
    m_path.clear();
    return true;
}
