// verdane-pack: checks the content source files and packs them into the content file.
//
//   verdane-pack [--forbidden LIST] OUTPUT.zip SOURCE...
//
// Each SOURCE is a content file's source (its file name is the content name) or a folder whose
// *.txt files are all taken. With --forbidden, every sentence is also searched for the words of
// LIST (see ForbiddenWords), which a school report must not carry. Every problem, in the list
// or in a source, is reported as file:line; when there is any, nothing is written and the exit
// code is 1. Otherwise it prints, per content, the number of records and how many records mark
// each flag position, and writes OUTPUT.

#include "ContentCheck.h"
#include "content/ContentArchive.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <zip.h>

namespace fs = std::filesystem;

namespace {

struct Source {
    fs::path path;
    std::string data;
    pack::ContentSummary summary;
};

struct Arguments {
    std::string output;
    std::vector<std::string> sources;
    std::optional<std::string> forbiddenList;
};

std::optional<Arguments> parseArguments(int argc, char** argv)
{
    Arguments arguments;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--forbidden") {
            if (i + 1 == argc || arguments.forbiddenList)
                return std::nullopt;
            arguments.forbiddenList = argv[++i];
        } else {
            positional.emplace_back(arg);
        }
    }
    if (positional.size() < 2)
        return std::nullopt;
    arguments.output = positional.front();
    arguments.sources.assign(positional.begin() + 1, positional.end());
    return arguments;
}

std::vector<fs::path> sourcePaths(const std::vector<std::string>& sources)
{
    std::vector<fs::path> paths;
    for (const std::string& source : sources) {
        const fs::path arg = source;
        if (!fs::is_directory(arg)) {
            paths.push_back(arg);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (const auto& entry : fs::directory_iterator(arg)) {
            if (entry.is_regular_file() && entry.path().extension() == ".txt")
                inFolder.push_back(entry.path());
        }
        std::sort(inFolder.begin(), inFolder.end());
        paths.insert(paths.end(), inFolder.begin(), inFolder.end());
    }
    return paths;
}

bool readFile(const fs::path& path, std::string& data)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    data = buffer.str();
    return true;
}

void printSummary(const pack::ContentSummary& summary)
{
    std::cout << summary.name << ": " << summary.records << " records\n  flag positions:";
    for (std::size_t p = 0; p < summary.flagCounts.size(); ++p)
        std::cout << ' ' << p << '=' << summary.flagCounts[p];
    std::cout << '\n';
}

bool writeArchive(const fs::path& output, const std::vector<Source>& sources)
{
    const fs::path temporary = output.string() + ".tmp";
    fs::remove(temporary);
    int error = 0;
    zip_t* archive = zip_open(temporary.c_str(), ZIP_CREATE | ZIP_EXCL, &error);
    if (!archive)
        return false;
    bool ok = zip_set_archive_comment(archive, content::kArchiveComment.data(),
                                      static_cast<zip_uint16_t>(content::kArchiveComment.size())) == 0;
    for (const Source& source : sources) {
        zip_source_t* data =
            zip_source_buffer(archive, source.data.data(), source.data.size(), 0);
        if (!data || zip_file_add(archive, source.summary.name.c_str(), data,
                                  ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(data);
            ok = false;
        }
    }
    if (!ok) {
        zip_discard(archive);
        return false;
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return false;
    }
    fs::rename(temporary, output); // the old content file stays whole until the new one is
    return true;
}

// Reads the list of forbidden words; its problems count like those of a source.
bool readForbiddenWords(const std::string& path, pack::ForbiddenWords& words)
{
    std::string list;
    if (!readFile(path, list)) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    std::vector<pack::Problem> problems;
    words = pack::ForbiddenWords::parse(list, problems);
    for (const pack::Problem& problem : problems)
        std::cerr << path << ':' << problem.line << ": " << problem.what << '\n';
    return problems.empty();
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Arguments> arguments = parseArguments(argc, argv);
    if (!arguments) {
        std::cerr << "usage: verdane-pack [--forbidden LIST] OUTPUT.zip SOURCE...\n";
        return 2;
    }
    bool clean = true;
    pack::ForbiddenWords forbidden;
    if (arguments->forbiddenList)
        clean = readForbiddenWords(*arguments->forbiddenList, forbidden);
    std::vector<Source> sources;
    for (const fs::path& path : sourcePaths(arguments->sources)) {
        Source source{path, {}, {}};
        if (!readFile(path, source.data)) {
            std::cerr << path.string() << ": cannot be read\n";
            clean = false;
            continue;
        }
        source.summary = pack::checkContent(path.filename().string(), source.data,
                                            arguments->forbiddenList ? &forbidden : nullptr);
        for (const pack::Problem& problem : source.summary.problems) {
            std::cerr << path.string() << ':' << problem.line << ": " << problem.what << '\n';
            clean = false;
        }
        sources.push_back(std::move(source));
    }
    if (!clean) {
        std::cerr << "nothing written: mend the lines above first\n";
        return 1;
    }
    for (const Source& source : sources)
        printSummary(source.summary);
    if (!writeArchive(arguments->output, sources)) {
        std::cerr << arguments->output << ": cannot be written\n";
        return 1;
    }
    std::cout << "wrote " << arguments->output << " (" << sources.size() << " contents)\n";
    return 0;
}
