#include "ContentFile.h"

#include "content/tessera.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <zip.h>

namespace testing_support {

namespace {

// Every content folder of one run of a test executable lies in one run folder, made when the
// executable starts and removed when it ends. A death test's child ends without any clean-up,
// so a folder it made for itself would stay behind; its folders go into the run folder, which
// the child finds in its environment, and only the process that made the run folder removes it.
class RunFolder {
public:
    RunFolder()
    {
        if (const char* inherited = std::getenv(kVariable); inherited && *inherited) {
            path_ = inherited;
            return;
        }
        std::error_code error;
        const std::filesystem::path shared = std::filesystem::temp_directory_path(error);
        if (error)
            return;
        std::string pattern = (shared / "verdane-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        path_ = pattern;
        maker_ = getpid();
        setenv(kVariable, pattern.c_str(), 1);
    }
    ~RunFolder()
    {
        if (maker_ == getpid()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    static constexpr const char* kVariable = "VERDANE_TEST_RUN_FOLDER";
    std::filesystem::path path_; // empty when it could not be made
    pid_t maker_ = 0;
};

// Made before main, so a death test's child always finds the folder of the run it belongs to.
const RunFolder runFolder;

} // namespace

ContentFolder::ContentFolder()
{
    if (runFolder.path().empty())
        throw std::runtime_error("cannot make the temporary folder of this run");
    std::string pattern = (runFolder.path() / "content-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder in " + runFolder.path().string());
    path_ = pattern;
}

ContentFolder::~ContentFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ContentFolder::writeArchive(const std::string& name, const std::vector<Entry>& entries,
                                        const std::string& comment) const
{
    const std::string target = file(name);
    int error = 0;
    zip_t* archive = zip_open(target.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("cannot create " + target);
    zip_set_archive_comment(archive, comment.data(), static_cast<zip_uint16_t>(comment.size()));
    for (const Entry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (entry.stored && index >= 0)
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error("cannot write " + target);
    return target;
}

std::string ContentFolder::writeBytes(const std::string& name, const std::string& bytes) const
{
    const std::string target = file(name);
    std::ofstream(target, std::ios::binary) << bytes;
    return target;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

UseContentFile::UseContentFile(const std::string& path)
{
    KOVA_useContentFile(path.c_str());
}

UseContentFile::~UseContentFile()
{
    KOVA_useContentFile(nullptr);
    KOVA_clearData();
}

} // namespace testing_support
