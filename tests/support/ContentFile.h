#pragma once
// Writes content files for tests, sound or deliberately damaged, into a fresh temporary folder.
// The folders of one run lie in one folder that the test executable removes when it ends.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct Entry {
    std::string name; // UTF-8
    std::string data;
    bool stored = false; // uncompressed, so a test can find and damage its bytes
};

class ContentFolder {
public:
    ContentFolder();
    ~ContentFolder();
    ContentFolder(const ContentFolder&) = delete;
    ContentFolder& operator=(const ContentFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // A zip archive of the entries, with the content file's comment unless told otherwise.
    std::string writeArchive(const std::string& name, const std::vector<Entry>& entries,
                             const std::string& comment = "Verdane content 1") const;
    std::string writeBytes(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::string& path);

// Makes the library read this file until the object goes away.
class UseContentFile {
public:
    explicit UseContentFile(const std::string& path);
    ~UseContentFile();
};

} // namespace testing_support
