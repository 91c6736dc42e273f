#pragma once
// The setup being written goes first into a new file beside the output, under a name nobody could have
// chosen in advance: mkstemp makes it exclusively, so a link planted under a known name can't redirect
// the write. Commit renames it onto the output; otherwise it is removed, so a failed build leaves
// neither a half-written setup nor its temporary behind.

#include <ext/stdio_filebuf.h>

#include <memory>
#include <ostream>
#include <string>

class TemporaryOutput {
public:
    explicit TemporaryOutput(const std::string& outputPath);
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // False when the file could not be made; Error() says why.
    bool IsOpen() const { return m_stream != nullptr; }
    std::ostream& Stream() { return *m_stream; }
    const std::string& Path() const { return m_path; }
    const std::string& Error() const { return m_error; }

    // Flushes and closes the file, gives it the permissions a new file gets here (the temporary is
    // private until then) and renames it onto the output. False, the temporary removed, on failure.
    bool Commit();

private:
    bool Fail(const std::string& what);
    void Discard();

    std::string m_outputPath;
    std::string m_path;
    int m_fd = -1;
    std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> m_buffer;
    std::unique_ptr<std::ostream> m_stream;
    std::string m_error;
};
