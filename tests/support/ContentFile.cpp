#include "ContentFile.h"

#include "content/tessera.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <zip.h>

namespace testing_support {

ContentFolder::ContentFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "verdane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

ContentFolder::~ContentFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ContentFolder::writeArchive(const std::string& name,
                                        const std::vector<Entry>& entries,
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
        const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
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
