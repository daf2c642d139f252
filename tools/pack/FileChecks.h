#pragma once
// What the packer asks of the files around it before it reads or writes anything: which files
// the arguments name, that each is a regular file small enough to be a content, that no two
// give the same content name, and that the content file to write can replace what stands at
// its place without destroying a source. Nothing here throws: every failure is a FileProblem.

#include <filesystem>
#include <string>
#include <vector>

namespace pack {

// A problem with a file as a whole, reported as "path: what".
struct FileProblem {
    std::string path;
    std::string what;
};

// The source files the arguments name: a file stands for itself, a folder for every *.txt file
// in it, in name order. A *.txt entry that cannot be looked at is a problem, not skipped: it
// may be the content that would otherwise be missing.
std::vector<std::filesystem::path> sourceFiles(const std::vector<std::string>& arguments,
                                               std::vector<FileProblem>& problems);

// Adds a problem for every source whose content name an earlier source already gives.
void findSameNames(const std::vector<std::filesystem::path>& sources,
                   std::vector<FileProblem>& problems);

// Adds a problem when the content file cannot be put at output: a folder stands there, or it is
// one of the sources.
void checkOutput(const std::filesystem::path& output,
                 const std::vector<std::filesystem::path>& sources,
                 std::vector<FileProblem>& problems);

// Reads a whole regular file of at most content::kMaxEntryBytes into data. Anything else (a
// FIFO, a device, a socket, a file too large) is refused before a byte of it is read.
bool readWholeFile(const std::filesystem::path& path, std::string& data,
                   std::vector<FileProblem>& problems);

} // namespace pack
