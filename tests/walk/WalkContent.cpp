#include "WalkContent.h"

#include "content/Readings.h"
#include "support/ContentFile.h"

#include <QString>
#include <algorithm>
#include <stdexcept>
#include <zip.h>

namespace walk {

namespace {

Text fromUtf8(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdU16String();
}

std::string toUtf8(const Text& text)
{
    return QString::fromStdU16String(text).toStdString();
}

// One field of a line with its escapes undone.
Text unescaped(const std::string& field)
{
    std::string plain;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            plain += field[i];
            continue;
        }
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (next == 't')
            plain += '\t';
        else if (next == 'n')
            plain += '\n';
        else if (next == '\\')
            plain += '\\';
        else
            throw std::runtime_error("a backslash without its escape in \"" + field + "\"");
        ++i;
    }
    return fromUtf8(plain);
}

std::string escaped(const Text& field)
{
    std::string out;
    for (const char c : toUtf8(field)) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

Content parseContent(std::string data)
{
    if (data.rfind("\xEF\xBB\xBF", 0) == 0)
        data.erase(0, 3);
    Content content;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string::npos)
            end = data.size();
        std::string line = data.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos)
            throw std::runtime_error("a line without exactly one TAB: " + line);
        content.push_back({unescaped(line.substr(tab + 1)), unescaped(line.substr(0, tab))});
    }
    return content;
}

std::string readEntry(zip_t* archive, zip_uint64_t index)
{
    zip_stat_t stat;
    if (zip_stat_index(archive, index, 0, &stat) != 0)
        throw std::runtime_error("cannot examine an entry");
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file)
        throw std::runtime_error("cannot open an entry");
    std::string data(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t read = zip_fread(file, data.data(), stat.size);
    zip_fclose(file);
    if (read != static_cast<zip_int64_t>(stat.size))
        throw std::runtime_error("cannot read an entry");
    return data;
}

// ---- the skewed content ----

std::size_t below(std::mt19937_64& random, std::size_t n)
{
    return static_cast<std::size_t>(random() % n);
}

bool chance(std::mt19937_64& random, int percent)
{
    return static_cast<int>(below(random, 100)) < percent;
}

// Pieces of sentences: near-misses of each other in case, width and script, the placeholder's
// words, line breaks, tabs and backslashes.
const std::vector<Text> kFragments = {
    u"責任感", u"協調性", u"部活動",     u"ボランティア", u"ぼらんてぃあ",
    u"Abc",    u"abc",    u"ABC",        u"ＡＢＣ",       u"行事",
    u"文化祭", u"体育祭", u"キーワード", u"検索",         u"を務めた。",
    u"\n",     u"\t",     u"\\",         u"　",           u" ",
    u"。",     u"地域",   u"清掃",       u"１",           u"1",
};

Text sentence(std::mt19937_64& random)
{
    if (chance(random, 4))
        return Text();
    Text text;
    const std::size_t pieces = 1 + below(random, 6);
    for (std::size_t i = 0; i < pieces; ++i)
        text += kFragments[below(random, kFragments.size())];
    return text;
}

// What a content's flag strings look like: their width, the positions likely and never marked,
// and whether an all-"1" string may reach every position. One that does puts its sentence into
// every category, so no choice could then leave a category without matches.
struct FlagShape {
    std::size_t width;
    std::vector<int> likely;
    std::vector<int> never;
    bool fullAllOnes;
};

// A flag string of one of the skewed shapes.
Text flagString(std::mt19937_64& random, const FlagShape& shape)
{
    const std::size_t width = shape.width;
    const std::vector<int>& likely = shape.likely;
    const std::vector<int>& never = shape.never;
    const std::size_t kind = below(random, 10);
    if (kind == 0)
        return Text(); // empty
    if (kind == 1) {
        // All "1": perhaps longer than needed, or shorter than the content's categories.
        if (shape.fullAllOnes && chance(random, 50))
            return Text(width + below(random, 3), u'1');
        return Text(1 + below(random, width - 1), u'1');
    }
    Text flags(width, u'0');
    for (std::size_t p = 0; p < width; ++p) {
        const bool isLikely =
            std::find(likely.begin(), likely.end(), static_cast<int>(p)) != likely.end();
        if (chance(random, isLikely ? 45 : 12))
            flags[p] = u'1';
    }
    for (const int p : never)
        flags[static_cast<std::size_t>(p)] = u'0';
    if (kind == 2) // other characters than "1" mean nothing
        flags[below(random, width)] =
            std::array<char16_t, 4>{u'2', u'x', u'１', u' '}[below(random, 4)];
    if (kind == 3)
        flags.resize(below(random, width)); // short
    return flags;
}

std::string contentText(std::mt19937_64& random, std::size_t records, const FlagShape& shape)
{
    std::string data;
    Text previous;
    for (std::size_t i = 0; i < records; ++i) {
        // Now and then the same sentence twice in a row, with other flags.
        const Text text = !previous.empty() && chance(random, 8) ? previous : sentence(random);
        previous = text;
        data += escaped(flagString(random, shape)) + "\t" + escaped(text) + "\n";
    }
    return data;
}

} // namespace

const std::array<std::string, ContentCount>& contentNames()
{
    static const std::array<std::string, ContentCount> names = {
        "1 本人の長所・推薦事由等.txt",
        "2 校内活動 学校行事.txt",
        "2 校内活動 校内活動.txt",
        "2 校内活動 部活動.txt",
        "3 校外活動・その他 校外活動.txt",
        "3 校外活動・その他 将来の仕事.txt",
        "3 校外活動・その他 ボランティア活動.txt",
    };
    return names;
}

Contents readContentFile(const std::string& path)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive)
        throw std::runtime_error("cannot open the content file " + path);
    Contents contents;
    std::array<bool, ContentCount> found{};
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        for (std::size_t c = 0; c < ContentCount; ++c) {
            if (name && contentNames()[c] == name) {
                contents[c] = parseContent(readEntry(archive, static_cast<zip_uint64_t>(i)));
                found[c] = true;
            }
        }
    }
    for (std::size_t c = 0; c < ContentCount; ++c) {
        if (!found[c])
            throw std::runtime_error("no content " + contentNames()[c] + " in " + path);
        const std::string entry = std::string(content::kReadingsFolder) + contentNames()[c];
        const zip_int64_t index = zip_name_locate(archive, entry.c_str(), ZIP_FL_ENC_GUESS);
        if (index < 0)
            continue;
        ContentArray texts;
        for (const Record& record : contents[c])
            texts.append(record.text);
        ContentArray readings;
        std::string problem;
        if (!content::parseReadings(readEntry(archive, static_cast<zip_uint64_t>(index)), texts,
                                    readings, problem))
            throw std::runtime_error("the readings of " + contentNames()[c] + ": " + problem);
        for (std::size_t i = 0; i < contents[c].size(); ++i)
            contents[c][i].reading = Text(readings[i]);
    }
    const zip_int64_t groups =
        zip_name_locate(archive, std::string(content::kSynonymsEntry).c_str(), ZIP_FL_ENC_GUESS);
    if (groups >= 0) {
        std::vector<content::ListProblem> problems;
        contents.synonyms = std::make_shared<const content::Synonyms>(content::Synonyms::parse(
            readEntry(archive, static_cast<zip_uint64_t>(groups)), problems));
    }
    zip_discard(archive);
    return contents;
}

std::string writeSkewedContentFile(const testing_support::ContentFolder& folder,
                                   std::mt19937_64& random)
{
    const auto& names = contentNames();
    // Strengths: job types 0 .. 9, categories 10 .. 26; 12 and 21 occur only in all-"1"
    // strings, which never reach the last categories, so a job type alone leaves boxes without
    // matches. School events and the activities outside school have no records at all. Clubs:
    // position 3 is as rare, the two "その他" (5, 15) often come together, and the two boxes
    // with labels (16, 17) are rare enough to grey out. The other contents have all-"1"
    // strings of full length.
    const std::vector<testing_support::Entry> entries = {
        {names[Strengths],
         contentText(random, 40 + below(random, 30), {27, {0, 3, 9, 19, 20}, {12, 21}, false})},
        {names[SchoolEvents], ""},
        {names[InSchool], contentText(random, 3 + below(random, 12), {2, {0, 1}, {}, true})},
        {names[Clubs],
         contentText(random, 40 + below(random, 40), {18, {0, 5, 6, 15}, {3}, false})},
        {names[Outside], ""},
        {names[FutureWork],
         contentText(random, 30 + below(random, 40), {16, {0, 1, 7, 14}, {}, true})},
        {names[Volunteer], contentText(random, 5 + below(random, 15), {6, {2, 5}, {}, true})},
    };
    return folder.writeArchive("skewed-content.zip", entries);
}

} // namespace walk
