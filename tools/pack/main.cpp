// verdane-pack: checks the content source files and packs them into the content file.
//
//   verdane-pack [--forbidden LIST] [--review LIST] [--marks] [--tagging] [--job-words LIST]
//                [--official-names LIST] [--near-duplicates] [--coverage] [--readings]
//                [--synonyms GROUPS] OUTPUT.zip SOURCE...
//
// Each SOURCE is a content file's source (its file name is the content name) or a folder whose
// *.txt files are all taken. With --forbidden, every sentence is also searched for the words of
// LIST (see ForbiddenWords), which a school report must not carry, and LIST itself is stored in
// OUTPUT for the program's draft to find the same words; the other options add the rules that
// kUsage describes. Every problem, in the list,
// in a source or with the files themselves, is reported as file:line or file; when there is
// any, nothing is written and the exit code is 1. Otherwise it prints, per content, the number
// of records and how many records mark each flag position, warns about each of the program's
// contents that no source gives, and writes OUTPUT. With --review, LIST holds what the draft asks
// the teacher to read a remark again for (see content/ReviewWords.h): checked and stored alike.

#include "Compatibility.h"
#include "ContentCheck.h"
#include "Coverage.h"
#include "FileChecks.h"
#include "JobWords.h"
#include "ReadingEntries.h"
#include "content/ContentArchive.h"
#include "content/ContentNames.h"
#include "content/Readings.h"
#include "content/ReviewWords.h"
#include "content/Synonyms.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <zip.h>

namespace fs = std::filesystem;

namespace {

struct Source {
    fs::path path;
    std::string data;
    pack::ContentSummary summary;
    std::optional<std::string> readings; // the readings entry, with --readings
};

constexpr std::string_view kUsage =
    "usage: verdane-pack [OPTION]... OUTPUT.zip SOURCE...\n"
    "Checks content sources (files named after a content, or folders of them) and packs them\n"
    "into the content file OUTPUT.zip; on any problem it writes nothing and exits with 1.\n"
    "\n"
    "  --forbidden LIST   refuse the words of LIST (word TAB reason), which a school report for a\n"
    "                     job application must not carry, and store LIST in OUTPUT.zip for the\n"
    "                     program's draft\n"
    "  --review LIST      store LIST (kind TAB word TAB reason), what the program's draft asks\n"
    "                     the teacher to read a remark again for, in OUTPUT.zip; refuse a\n"
    "                     line of it that cannot be used (sentences are not held to it)\n"
    "  --marks            refuse any slot mark but 〇〇 (a name) and △ (a number), and Arabic\n"
    "                     numerals in a sentence\n"
    "  --tagging          refuse tags that contradict the words: a sports club needs 部活動 and\n"
    "                     スポーツ活動, words for any workplace need 全ての職種, 全ての職種 needs\n"
    "                     every job type, 学級委員 or a class duty needs 委員会・特別活動, and in\n"
    "                     the club content 部長・主将等 goes exactly with 部長 or 主将\n"
    "  --job-words LIST   refuse a strengths sentence tagged with one job type that holds none\n"
    "                     of the words LIST gives that job type (job type TAB words)\n"
    "  --official-names LIST\n"
    "                     refuse a qualification written by a short name that LIST gives\n"
    "                     (short name TAB official name; \"!name\" for a name that is right)\n"
    "  --near-duplicates  refuse a sentence that repeats another of its content, or differs from\n"
    "                     it only by a swapped word of at most 8 characters\n"
    "  --coverage         print how many sentences each combination of boxes finds and refuse\n"
    "                     a content whose combinations fall below the sample content's floors\n"
    "  --readings         read every sentence, and every word of LIST, with MeCab and its IPA\n"
    "                     dictionary and store the readings, so that the program finds a word\n"
    "                     typed in kana in a sentence that writes it in kanji\n"
    "  --synonyms GROUPS  check GROUPS (one group of words that mean the same a line, the words\n"
    "                     separated by TABs) and store it, so that a search for one word of a\n"
    "                     group finds the others\n"
    "  --help             print this and exit\n"
    "  --version          print the version and exit\n";

struct Arguments {
    std::string output;
    std::vector<std::string> sources;
    std::optional<std::string> forbiddenList;
    std::optional<std::string> synonymsList;
    bool readings = false;
    std::optional<std::string> jobWordList;
    std::optional<std::string> officialNameList;
    std::optional<std::string> reviewList;
    pack::ContentRules rules;
    bool help = false;
    bool version = false;
};

// The arguments, or nothing with complaint saying what is wrong with them when it is more than
// their form.
std::optional<Arguments> parseArguments(int argc, char** argv, std::string& complaint)
{
    Arguments arguments;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            arguments.help = true;
            return arguments;
        }
        if (arg == "--version") {
            arguments.version = true;
            return arguments;
        }
        if (arg == "--marks") {
            arguments.rules.marks = true;
        } else if (arg == "--tagging") {
            arguments.rules.tagging = true;
        } else if (arg == "--near-duplicates") {
            arguments.rules.nearDuplicates = true;
        } else if (arg == "--coverage") {
            arguments.rules.coverage = true;
        } else if (arg == "--readings") {
            arguments.readings = true;
        } else if (arg == "--forbidden" || arg == "--review" || arg == "--job-words" ||
                   arg == "--official-names" || arg == "--synonyms") {
            std::optional<std::string>& list = arg == "--forbidden"   ? arguments.forbiddenList
                                               : arg == "--review"    ? arguments.reviewList
                                               : arg == "--job-words" ? arguments.jobWordList
                                               : arg == "--official-names"
                                                   ? arguments.officialNameList
                                                   : arguments.synonymsList;
            if (i + 1 == argc || list)
                return std::nullopt;
            list = argv[++i];
        } else if (arg.starts_with("--")) {
            complaint = "unknown option \"" + std::string(arg) + "\"";
            return std::nullopt; // a mistyped option is no source
        } else {
            positional.emplace_back(arg);
        }
    }
    if (positional.size() < 2 || positional.front().empty())
        return std::nullopt;
    arguments.output = positional.front();
    arguments.sources.assign(positional.begin() + 1, positional.end());
    return arguments;
}

void printProblem(const std::string& path, const pack::Problem& problem)
{
    std::cerr << path;
    if (problem.line != 0)
        std::cerr << ':' << problem.line;
    std::cerr << ": " << problem.what << '\n';
}

// Prints the problems with the files themselves; true when there is none.
bool reportFileProblems(const std::vector<pack::FileProblem>& problems)
{
    for (const pack::FileProblem& problem : problems)
        std::cerr << problem.path << ": " << problem.what << '\n';
    return problems.empty();
}

// Reads and checks every source; true when none has a problem.
bool readSources(const std::vector<fs::path>& paths, const pack::ForbiddenWords* forbidden,
                 const pack::ContentRules& rules, std::vector<Source>& sources)
{
    bool clean = true;
    for (const fs::path& path : paths) {
        Source source{path, {}, {}};
        std::vector<pack::FileProblem> fileProblems;
        if (!pack::readWholeFile(path, source.data, fileProblems)) {
            clean = reportFileProblems(fileProblems) && clean;
            continue;
        }
        source.summary =
            pack::checkContent(path.filename().string(), source.data, forbidden, rules);
        for (pack::Problem& problem : pack::compatibilityProblems(source.data))
            source.summary.problems.push_back(std::move(problem));
        std::stable_sort(
            source.summary.problems.begin(), source.summary.problems.end(),
            [](const pack::Problem& a, const pack::Problem& b) { return a.line < b.line; });
        for (const pack::Problem& problem : source.summary.problems) {
            printProblem(path.string(), problem);
            clean = false;
        }
        sources.push_back(std::move(source));
    }
    return clean;
}

void printSummary(const pack::ContentSummary& summary)
{
    std::cout << summary.name << ": " << summary.records << " records\n  flag positions:";
    for (std::size_t p = 0; p < summary.flagCounts.size(); ++p)
        std::cout << ' ' << p << '=' << summary.flagCounts[p];
    std::cout << '\n';
}

// Tells of each content that the program needs and no source gives. A partial set is fine for
// a test or a check, but the program does not start from such a file.
void warnOfMissingContents(const std::vector<Source>& sources)
{
    for (std::string_view name : content::kAllContents) {
        if (std::none_of(sources.begin(), sources.end(),
                         [&](const Source& s) { return s.summary.name == name; }))
            std::cerr << "warning: no source gives \"" << name
                      << "\"; the program does not start without it\n";
    }
}

std::string zipMessage(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string message = zip_error_strerror(&error);
    zip_error_fini(&error);
    return message;
}

// Writes the content file at output. libzip writes it under a temporary name beside output and
// puts it in output's place only when it is whole (zip_close), so the old content file stays as
// it was whenever anything fails. The word lists, when given, go in beside the contents: the
// program's draft reads them there.
std::optional<pack::FileProblem> writeArchive(const fs::path& output,
                                              const std::vector<Source>& sources,
                                              const std::string* wordList,
                                              const std::string* reviewList,
                                              const std::string* synonyms)
{
    const auto failed = [&](std::string why) {
        return pack::FileProblem{output.string(), "cannot be written: " + std::move(why)};
    };
    int code = 0;
    zip_t* archive = zip_open(output.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return failed(zipMessage(code));
    bool ok =
        zip_set_archive_comment(archive, content::kArchiveComment.data(),
                                static_cast<zip_uint16_t>(content::kArchiveComment.size())) == 0;
    const auto add = [&](const std::string& name, const std::string& data) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            ok = false;
            return;
        }
        // The fastest deflate: the readings make the file several times larger, and the
        // default level spent most of the packing compressing them for a few per cent less.
        ok = zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                      1) == 0 &&
             ok;
    };
    for (const Source& source : sources)
        add(source.summary.name, source.data);
    for (const Source& source : sources) {
        if (source.readings)
            add(std::string(content::kReadingsFolder) + source.summary.name, *source.readings);
    }
    if (wordList)
        add(std::string(content::kForbiddenWordsEntry), *wordList);
    if (reviewList)
        add(std::string(content::kReviewWordsEntry), *reviewList);
    if (synonyms)
        add(std::string(content::kSynonymsEntry), *synonyms);
    if (!ok || zip_close(archive) != 0) {
        std::string message = zip_strerror(archive);
        zip_discard(archive);
        return failed(std::move(message));
    }
    return std::nullopt;
}

// Prints the coverage table of every content and reports each combination that falls short of
// the sample content's floors, and the sentences of all contents together; true when none does.
bool checkCoverage(const std::vector<Source>& sources)
{
    bool clean = true;
    std::size_t records = 0;
    for (const Source& source : sources) {
        pack::printCoverage(std::cout, source.summary);
        for (const std::string& shortfall : pack::coverageShortfalls(source.summary)) {
            std::cerr << source.path.string() << ": " << shortfall << '\n';
            clean = false;
        }
        records += source.summary.records;
    }
    if (const std::string shortfall = pack::totalShortfall(records); !shortfall.empty()) {
        std::cerr << "all contents: " << shortfall << '\n';
        clean = false;
    }
    return clean;
}

// Reads a list the rules use (forbidden words, job words, official names, words that mean the
// same), reworked by prepare before it is parsed; its problems count like those of a source.
template <typename List>
bool readList(const std::string& path, List& words, std::string& list,
              const std::function<std::string(std::string)>& prepare = {})
{
    std::vector<pack::FileProblem> fileProblems;
    if (!pack::readWholeFile(path, list, fileProblems))
        return reportFileProblems(fileProblems);
    std::vector<pack::Problem> problems;
    if (prepare)
        list = prepare(std::move(list));
    words = List::parse(list, problems);
    for (const pack::Problem& problem : problems)
        printProblem(path, problem);
    return problems.empty();
}

} // namespace

int main(int argc, char** argv)
{
    std::string complaint;
    const std::optional<Arguments> arguments = parseArguments(argc, argv, complaint);
    if (!arguments) {
        if (!complaint.empty())
            std::cerr << "verdane-pack: " << complaint << '\n';
        std::cerr << kUsage;
        return 2;
    }
    if (arguments->help) {
        std::cout << kUsage;
        return 0;
    }
    if (arguments->version) {
        std::cout << "verdane-pack " VERDANE_VERSION "\n";
        return 0;
    }
    bool clean = true;
    std::optional<pack::Reader> reader;
    if (arguments->readings) {
        std::string problem;
        reader = pack::Reader::open(VERDANE_MECAB_DICTIONARY, problem);
        if (!reader) {
            std::cerr << "verdane-pack: " << problem << '\n';
            return 1;
        }
    }
    pack::ForbiddenWords forbidden;
    std::string forbiddenList;
    if (arguments->forbiddenList)
        clean =
            readList(*arguments->forbiddenList, forbidden, forbiddenList, [&](std::string list) {
                // The words' readings go into the list, for it to find them in kana.
                return reader ? pack::listWithReadings(*reader, list) : list;
            });
    content::Synonyms synonyms;
    std::string synonymsList;
    if (arguments->synonymsList)
        clean = readList(*arguments->synonymsList, synonyms, synonymsList) && clean;
    pack::ContentRules rules = arguments->rules;
    pack::JobWords jobWords;
    pack::OfficialNames officialNames;
    std::string listText;
    if (arguments->jobWordList) {
        clean = readList(*arguments->jobWordList, jobWords, listText) && clean;
        rules.jobWords = &jobWords;
    }
    if (arguments->officialNameList) {
        clean = readList(*arguments->officialNameList, officialNames, listText) && clean;
        rules.officialNames = &officialNames;
    }
    content::ReviewWords reviewWords;
    std::string reviewList;
    if (arguments->reviewList)
        clean = readList(*arguments->reviewList, reviewWords, reviewList) && clean;
    std::vector<pack::FileProblem> fileProblems;
    const std::vector<fs::path> paths = pack::sourceFiles(arguments->sources, fileProblems);
    pack::findSameNames(paths, fileProblems);
    pack::checkOutput(arguments->output, paths, fileProblems);
    clean = reportFileProblems(fileProblems) && clean;
    std::vector<Source> sources;
    clean = readSources(paths, arguments->forbiddenList ? &forbidden : nullptr, rules, sources) &&
            clean;
    if (arguments->rules.coverage)
        clean = checkCoverage(sources) && clean;
    if (!clean) {
        std::cerr << "nothing written: mend the lines above first\n";
        return 1;
    }
    for (Source& source : sources) {
        printSummary(source.summary);
        if (reader)
            source.readings = pack::readingsEntry(*reader, source.data);
    }
    warnOfMissingContents(sources);
    const std::string* storedList = arguments->forbiddenList ? &forbiddenList : nullptr;
    const std::string* storedReview = arguments->reviewList ? &reviewList : nullptr;
    const std::string* storedSynonyms = arguments->synonymsList ? &synonymsList : nullptr;
    if (const std::optional<pack::FileProblem> problem =
            writeArchive(arguments->output, sources, storedList, storedReview, storedSynonyms)) {
        reportFileProblems({*problem});
        std::cerr << "nothing written\n";
        return 1;
    }
    std::cout << "wrote " << arguments->output << " (" << sources.size() << " contents)\n";
    return 0;
}
