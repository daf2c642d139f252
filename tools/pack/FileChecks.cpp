#include "FileChecks.h"

#include "content/ContentArchive.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pack {

namespace {

std::string cannotRead(const std::error_code& error)
{
    return "cannot be read: " + error.message();
}

std::string cannotRead(int errorNumber)
{
    return cannotRead(std::error_code(errorNumber, std::generic_category()));
}

std::string notRegular(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory:
        return "is a folder, not a content source";
    case fs::file_type::fifo:
        return "is a FIFO, not a regular file; it is not read";
    case fs::file_type::socket:
        return "is a socket, not a regular file; it is not read";
    case fs::file_type::character:
    case fs::file_type::block:
        return "is a device, not a regular file; it is not read";
    default:
        return "is not a regular file; it is not read";
    }
}

std::string tooLarge(std::uint64_t bytes)
{
    return "is " + std::to_string(bytes) + " bytes; a content holds at most " +
           std::to_string(content::kMaxEntryBytes) + " bytes (" +
           std::to_string(content::kMaxEntryBytes >> 20) + " MiB)";
}

void addFolder(const fs::path& folder, std::vector<fs::path>& paths,
               std::vector<FileProblem>& problems)
{
    std::vector<fs::path> inFolder;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        if (entry->path().extension() == ".txt")
            inFolder.push_back(entry->path());
    }
    if (error) {
        problems.push_back({folder.string(), cannotRead(error)});
        return;
    }
    std::sort(inFolder.begin(), inFolder.end());
    paths.insert(paths.end(), inFolder.begin(), inFolder.end());
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::vector<fs::path> sourceFiles(const std::vector<std::string>& arguments,
                                  std::vector<FileProblem>& problems)
{
    std::vector<fs::path> paths;
    for (const std::string& argument : arguments) {
        std::error_code error;
        if (fs::is_directory(fs::status(argument, error)))
            addFolder(argument, paths, problems);
        else
            paths.emplace_back(argument); // reading it says what is wrong with it, if anything
    }
    return paths;
}

void findSameNames(const std::vector<fs::path>& sources, std::vector<FileProblem>& problems)
{
    std::map<fs::path, const fs::path*> firstByName;
    for (const fs::path& source : sources) {
        const auto [first, isNew] = firstByName.emplace(source.filename(), &source);
        if (isNew)
            continue;
        const std::string firstPath = first->second->string();
        std::error_code error;
        problems.push_back(
            {source.string(), fs::equivalent(*first->second, source, error)
                                  ? "is given twice as a source (first as " + firstPath + ")"
                                  : "gives the same content name as " + firstPath +
                                        "; the archive holds one content per name"});
    }
}

void checkOutput(const fs::path& output, const std::vector<fs::path>& sources,
                 std::vector<FileProblem>& problems)
{
    std::error_code error;
    if (fs::is_directory(fs::status(output, error)))
        problems.push_back({output.string(), "is a folder; name the content file to write"});
    for (const fs::path& source : sources) {
        // equivalent() is false, with an error, when either file does not exist yet.
        if (fs::equivalent(output, source, error))
            problems.push_back({output.string(), "is also a source (" + source.string() +
                                                     "); packing would overwrite it"});
    }
}

bool readWholeFile(const fs::path& path, std::string& data, std::vector<FileProblem>& problems)
{
    const auto refuse = [&](std::string what) {
        problems.push_back({path.string(), std::move(what)});
        return false;
    };
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error)
        return refuse(cannotRead(error));
    if (!fs::is_regular_file(status))
        return refuse(notRegular(status.type()));
    // Should a FIFO take the file's place after the look above, opening must not wait for a
    // writer, and fstat() below then refuses it.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0)
        return refuse(cannotRead(errno));
    if (!S_ISREG(info.st_mode))
        return refuse(notRegular(fs::file_type::unknown));
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > content::kMaxEntryBytes)
        return refuse(tooLarge(size));
    data.clear();
    data.reserve(size);
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refuse(cannotRead(errno));
        if (data.size() + static_cast<std::size_t>(got) > content::kMaxEntryBytes)
            return refuse(tooLarge(data.size() + static_cast<std::size_t>(got)) +
                          " (it grew while it was read)");
        data.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace pack
