// tessera-fuzz: feeds arbitrary bytes to the content access library as its content file.
//
// The content file is the one input of the library that comes from outside the program: a
// teacher may copy a damaged or foreign file beside the executable. Whatever it holds, the
// library must answer with one of its result codes, never crash, never read or write out of
// bounds, and never write past the buffer a caller hands to KOVA_getItem.
//
// Each input is written to a file in memory that the library is told to read
// (KOVA_useContentFile). Then, as the program would: KOVA_startup; for each of the seven
// contents KOVA_getZipData and KOVA_getItem for every record and both kinds, the first records
// and the last also into buffers of several sizes, each followed by a canary that must be
// untouched afterwards; KOVA_listContents, and KOVA_getZipData again for the other entries it
// lists by the code page 932 form of their names; KOVA_describeContents, whose record counts
// must agree with those KOVA_getZipData gave; the word list, read with KOVA_readWordList and
// parsed as the program parses it; each content's readings (KOVA_readReadings), checked against
// its sentences; and the groups of words that mean the same (KOVA_readSynonyms), parsed. Every
// answer must be a result code that the table of content/tessera.h (KOVA_RESULT_CODES) gives the
// function, leaving out only those the call at hand rules out. A broken rule calls abort(), so
// libFuzzer keeps the input as a crash.
//
// How to run it, what the seeds are and how one is added: fuzz/README.md. Every build of the
// program also replays the seeds through this file (fuzz/replay, the ctest test fuzz_seeds).
// libzip is the system's and not instrumented, and neither is this file: libFuzzer steers by the
// coverage of our own library, the sanitizers watch what libzip hands us, and the checks below
// cost no more than they must.

#include "content/ContentArray.h"
#include "content/ContentNames.h"
#include "content/Cp932.h"
#include "content/Folding.h"
#include "content/ForbiddenWords.h"
#include "content/Readings.h"
#include "content/Synonyms.h"
#include "content/tessera.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// Broken rules are reported on stderr and end the run, so libFuzzer keeps the input.
[[noreturn]] void broken(const char* rule, int value)
{
    std::fprintf(stderr, "tessera-fuzz: %s (%d)\n", rule, value);
    std::abort();
}

void require(bool holds, const char* rule, int value = 0)
{
    if (!holds)
        broken(rule, value);
}

// The content file of this process, written anew for every input. It lives in memory (memfd)
// and the library opens it by its /proc path: nothing touches the disk, nothing is left behind.
int contentFile = -1;

void writeContentFile(const std::uint8_t* data, std::size_t size)
{
    require(ftruncate(contentFile, 0) == 0, "cannot empty the content file");
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n =
            pwrite(contentFile, data + written, size - written, static_cast<off_t>(written));
        require(n > 0, "cannot write the content file");
        written += static_cast<std::size_t>(n);
    }
}

// Buffer sizes in bytes: none, one code unit (room for the NUL only), an odd size, a small one
// and the program's own. -1 stands for a caller that passes a negative size by mistake.
constexpr std::array<int, 6> kBufferBytes = {-1, 0, 2, 3, 64, 102400};
constexpr std::size_t kCanaryBytes = 16;
// Every record is read into the largest buffer, but into all the others only the first ones and
// the last: how an item meets a small buffer depends on the item, not on where it stands, and
// six calls for every record were most of the time of an input of a few thousand records.
constexpr int kRecordsInEveryBuffer = 32;
constexpr unsigned char kCanary = 0xA5;

// A buffer of the given size with a canary behind it; char16_t aligned, as callers pass it.
class ItemBuffer {
public:
    explicit ItemBuffer(int bytes)
        : bytes_(bytes), units_((std::max(bytes, 0) + kCanaryBytes + 1) / 2 + 1, u'\0')
    {
    }

    char16_t* data() { return units_.data(); }
    int bytes() const { return bytes_; }
    std::size_t capacity() const { return bytes_ > 0 ? static_cast<std::size_t>(bytes_) / 2 : 0; }

    // The pattern covers the canary and everything a call before may have written, so that a
    // call that leaves no NUL is noticed; refilling all 100 KiB for every call would be most of
    // the fuzzer's time.
    void arm()
    {
        auto* raw = reinterpret_cast<unsigned char*>(units_.data());
        const std::size_t canaryAt = static_cast<std::size_t>(std::max(bytes_, 0));
        std::memset(raw, kCanary, std::min(written_, canaryAt));
        std::memset(raw + canaryAt, kCanary, kCanaryBytes);
        written_ = canaryAt;
    }

    bool canaryIntact() const
    {
        const auto* raw = reinterpret_cast<const unsigned char*>(units_.data());
        const std::size_t from = static_cast<std::size_t>(std::max(bytes_, 0));
        return std::all_of(raw + from, raw + from + kCanaryBytes,
                           [](unsigned char b) { return b == kCanary; });
    }

    // The string before the first NUL, or nothing when there is no NUL inside the buffer.
    bool terminated(std::u16string& text)
    {
        const char16_t* begin = units_.data();
        const char16_t* end = begin + capacity();
        const char16_t* nul = std::find(begin, end, u'\0');
        if (nul == end)
            return false;
        text.assign(begin, nul);
        // A call writes its text and the NUL; what lies behind is the pattern still.
        written_ = static_cast<std::size_t>(nul + 1 - begin) * sizeof(char16_t);
        return true;
    }

private:
    int bytes_;
    std::vector<char16_t> units_;
    std::size_t written_ = SIZE_MAX; // bytes from the start that may differ from the pattern
};

std::vector<ItemBuffer>& buffers()
{
    static std::vector<ItemBuffer> all = [] {
        std::vector<ItemBuffer> made;
        for (const int bytes : kBufferBytes)
            made.emplace_back(bytes);
        return made;
    }();
    return all;
}

// The functions whose codes content/tessera.h tables, as its columns.
struct Givers {
    int code;
    bool startup;
    bool getZipData; // and the functions that answer as it does
    bool getItem;
};

constexpr Givers kResultCodes[] = {
#define TESSERA_FUZZ_ROW(code, startup, getZipData, getItem, others)                               \
    {code, (startup) != 0, (getZipData) != 0, (getItem) != 0},
    KOVA_RESULT_CODES(TESSERA_FUZZ_ROW)
#undef TESSERA_FUZZ_ROW
};

// Whether the table gives the code to the function and it is none of those the call rules out.
bool documentedCode(bool Givers::*function, int code, std::initializer_list<int> ruledOut = {})
{
    const auto row = std::find_if(std::begin(kResultCodes), std::end(kResultCodes),
                                  [&](const Givers& givers) { return givers.code == code; });
    return row != std::end(kResultCodes) && (*row).*function &&
           std::find(ruledOut.begin(), ruledOut.end(), code) == ruledOut.end();
}

// The codes KOVA_getItem may give for a record of the current content, asked for by its kind.
bool isItemCode(int result)
{
    return documentedCode(&Givers::getItem, result,
                          {KOVA_ITEM_NO_CONTENT, KOVA_ITEM_BAD_KIND, KOVA_ITEM_BAD_INDEX});
}

bool wellFormedUtf16(const std::u16string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

// One item into the largest buffer and then, when asked, into every other. A buffer that holds
// the item must hold the same text as the largest buffer, and every larger buffer must hold it
// too. Returns the item as the largest buffer held it.
std::u16string checkItem(int kind, int index, bool everyBuffer)
{
    int largestResult = -1;
    std::u16string largestText;
    ItemBuffer& largest = buffers().back();
    largest.arm();
    largestResult = KOVA_getItem(kind, index, largest.data(), largest.bytes());
    require(largest.canaryIntact(), "KOVA_getItem wrote past a buffer of 102400 bytes");
    require(isItemCode(largestResult),
            "KOVA_getItem gave a code it may not give for an existing record", largestResult);
    require(largest.terminated(largestText), "KOVA_getItem left no NUL in its buffer");
    if (largestResult == KOVA_OK)
        require(wellFormedUtf16(largestText), "an item is not well-formed UTF-16");
    else
        require(largestText.empty(), "a damaged item left text in the buffer", largestResult);
    if (!everyBuffer)
        return largestText;

    bool heldBySmaller = false;
    for (ItemBuffer& buffer : buffers()) {
        if (&buffer == &largest)
            break;
        buffer.arm();
        const int result = KOVA_getItem(kind, index, buffer.data(), buffer.bytes());
        require(buffer.canaryIntact(), "KOVA_getItem wrote past its buffer", buffer.bytes());
        std::u16string text;
        if (buffer.capacity() > 0)
            require(buffer.terminated(text), "KOVA_getItem left no NUL", buffer.bytes());
        if (result == KOVA_OK) {
            require(buffer.capacity() > 0, "an item fitted into no room", buffer.bytes());
            require(largestResult == KOVA_OK, "an item fits a small buffer but not the largest");
            require(text == largestText, "an item reads differently in another buffer size");
            heldBySmaller = true;
        } else {
            require(isItemCode(result),
                    "KOVA_getItem gave a code it may not give for an existing record", result);
            require(!heldBySmaller, "an item fits a smaller buffer but not a larger one");
            require(text.empty(), "a damaged item left text in the buffer", result);
        }
    }
    return largestText;
}

// count < 0: no content is current, so nothing at all may be served.
void checkOutsideRecords(int count)
{
    ItemBuffer& buffer = buffers()[4]; // 64 bytes: room for any refusal
    const auto refused = [&](int kind, int index, int code) {
        buffer.arm();
        const int result = KOVA_getItem(kind, index, buffer.data(), buffer.bytes());
        require(buffer.canaryIntact(), "a refused item wrote past its buffer");
        require(result == code, "KOVA_getItem served what it must refuse", result);
    };
    if (count < 0) {
        refused(KOVA_ITEM_TEXT, 0, KOVA_ITEM_NO_CONTENT);
        return;
    }
    refused(KOVA_ITEM_TEXT, -1, KOVA_ITEM_BAD_INDEX);
    refused(KOVA_ITEM_FLAGS, count, KOVA_ITEM_BAD_INDEX);
    refused(0x20003, 0, KOVA_ITEM_BAD_KIND);
}

bool isGetZipDataCode(int result)
{
    // The file exists, every name is valid code page 932 and the count has a place to go.
    return documentedCode(&Givers::getZipData, result,
                          {KOVA_NO_CONTENT_FILE, KOVA_BAD_CONTENT_NAME, KOVA_BAD_ARGUMENT});
}

// Content name in UTF-8 -> what KOVA_getZipData made of it: its records, or one of these.
using Counts = std::map<std::string, int>;
constexpr int kUnreadable = -1; // refused for what the content itself holds
constexpr int kMissing = -2;
// Refused as too large: for itself, or only for what the contents read before it took.
constexpr int kTooLarge = -3;

// Whether a count given for a content by the listing or the description agrees with what
// KOVA_getZipData made of it. Both read each content as if it were the only one, so a content
// refused for the memory of the others may have its count there.
bool agrees(int listed, int read)
{
    return read == kTooLarge ? listed >= -1 : listed == read;
}

struct Listing {
    Counts counts;
    int entries = 0;
};

void visitInto(const char* name, int count, void* into)
{
    require(name != nullptr, "a content was listed without its name");
    require(count >= -1, "a content was listed with a negative count", count);
    auto& listing = *static_cast<Listing*>(into);
    listing.counts.emplace(name, count);
    ++listing.entries;
}

Listing checkListing(int startup, const Counts& counts)
{
    Listing listed;
    const int result = KOVA_listContents(visitInto, &listed);
    if (startup == KOVA_FILES_DAMAGED) {
        require(result == KOVA_BAD_ARCHIVE, "an archive refused at startup was listed", result);
        return {};
    }
    require(result == KOVA_OK, "a sound archive was not listed", result);
    for (const auto& [name, count] : counts) {
        const auto at = listed.counts.find(name);
        if (count == kMissing) {
            require(at == listed.counts.end(), "a content missing to KOVA_getZipData was listed");
            continue;
        }
        require(at != listed.counts.end(), "a content read by KOVA_getZipData was not listed");
        require(agrees(at->second, count), "the listing and KOVA_getZipData disagree", at->second);
    }
    return listed;
}

// The about box's description of the seven contents: each as KOVA_getZipData read it alone,
// in the order asked, and as other entries all those of the listing that bear none of the names.
void checkDescription(int startup, const Counts& counts, int listedEntries)
{
    std::vector<std::string> names(std::begin(content::kAllContents),
                                   std::end(content::kAllContents));
    std::vector<const char*> pointers;
    for (const std::string& name : names)
        pointers.push_back(name.c_str());
    Listing described;
    int others = -7;
    const int result = KOVA_describeContents(pointers.data(), static_cast<int>(pointers.size()),
                                             visitInto, &described, &others);
    if (startup == KOVA_FILES_DAMAGED) {
        require(result == KOVA_BAD_ARCHIVE, "an archive refused at startup was described", result);
        return;
    }
    require(result == KOVA_OK, "a sound archive was not described", result);
    require(described.entries == static_cast<int>(names.size()),
            "the description left out or repeated a content", described.entries);
    int present = 0;
    for (const std::string& name : names) {
        const int read = counts.at(name);
        const int count = described.counts.at(name);
        present += read != kMissing;
        require(agrees(count, read == kMissing ? kUnreadable : read),
                "the description and KOVA_getZipData disagree", count);
    }
    require(others == listedEntries - present, "the description miscounts the other entries",
            others);
}

// Sentences the word list is searched in, as the draft searches a remark: the first few, and of
// each only as much as a remark holds, since further on the search only does the same again.
using Sentences = std::vector<std::u16string>;
constexpr std::size_t kSentencesSearched = 16;
constexpr std::size_t kUnitsSearched = 400;

// Reads one content by its name in code page 932 and every item of it; returns its records, or
// what the content is when KOVA_getZipData refuses it (kMissing, kTooLarge or kUnreadable).
int readContent(int startup, const std::string& cp932Name, Sentences& sentences,
                ContentArray* all = nullptr)
{
    KOVA_clearData();
    checkOutsideRecords(-1);
    int count = -7;
    const int result = KOVA_getZipData(0, cp932Name.c_str(), -1, -1, &count);
    require(isGetZipDataCode(result), "KOVA_getZipData gave a code it may not give", result);
    require((startup == KOVA_FILES_DAMAGED) == (result == KOVA_BAD_ARCHIVE),
            "KOVA_startup and KOVA_getZipData disagree on the archive", result);
    if (result != KOVA_OK) {
        require(count == 0, "a failed KOVA_getZipData reported records", count);
        checkOutsideRecords(-1);
        return result == KOVA_NO_SUCH_CONTENT     ? kMissing
               : result == KOVA_CONTENT_TOO_LARGE ? kTooLarge
                                                  : kUnreadable;
    }
    require(count >= 0, "KOVA_getZipData reported a negative count", count);
    for (int index = 0; index < count; ++index) {
        const bool everyBuffer = index < kRecordsInEveryBuffer || index == count - 1;
        std::u16string text = checkItem(KOVA_ITEM_TEXT, index, everyBuffer);
        checkItem(KOVA_ITEM_FLAGS, index, everyBuffer);
        if (!text.empty() && sentences.size() < kSentencesSearched)
            sentences.push_back(text.substr(0, kUnitsSearched));
        if (all)
            all->append(text);
    }
    checkOutsideRecords(count);
    KOVA_clearData();
    return count;
}

// Entries beyond the seven, read by their names as the listing gives them: this is where names
// in code page 932 meet the library. Only the first few, so that an archive of thousands of
// entries costs no more than a few.
constexpr std::size_t kOtherNamesRead = 8;

void readOtherNames(int startup, const Counts& listed, Sentences& sentences)
{
    std::size_t read = 0;
    for (const auto& [name, listedCount] : listed) {
        if (read == kOtherNamesRead)
            break;
        if (std::find(std::begin(content::kAllContents), std::end(content::kAllContents), name) !=
            std::end(content::kAllContents))
            continue;
        // A name without a code page 932 form is one the program can never ask for.
        const std::optional<std::string> cp932 = content::utf8ToCp932(name);
        if (!cp932 || cp932->empty())
            continue;
        ++read;
        // The name is sound code page 932, so KOVA_BAD_CONTENT_NAME would break a rule here.
        const int count = readContent(startup, *cp932, sentences);
        // Code page 932 gives some characters one form for two: only a name that comes back as
        // it went must find its own entry.
        if (content::cp932ToUtf8(*cp932) == name)
            require(agrees(listedCount, count), "a listed entry reads otherwise by its name",
                    count);
    }
}

struct WordList {
    int calls = 0;
    std::string text;
};

void receiveList(const char* text, int byteCount, void* into)
{
    require(text != nullptr && byteCount >= 0, "a word list was handed out without its text",
            byteCount);
    auto& list = *static_cast<WordList*>(into);
    list.text.assign(text, static_cast<std::size_t>(byteCount));
    ++list.calls;
}

// The word list as the program takes it: read, parsed, and searched for in a few sentences.
void checkWordList(int startup, const Sentences& sentences)
{
    WordList list;
    const int result = KOVA_readWordList(receiveList, &list);
    if (startup == KOVA_FILES_DAMAGED) {
        require(result == KOVA_BAD_ARCHIVE, "an archive refused at startup gave a word list",
                result);
        return;
    }
    require(isGetZipDataCode(result), "KOVA_readWordList gave a code it may not give", result);
    require(list.calls == (result == KOVA_OK ? 1 : 0), "the word list was handed out wrongly",
            list.calls);
    if (result != KOVA_OK)
        return;
    require(list.text.size() <= 1u << 20, "a word list of more than 1 MiB was read",
            static_cast<int>(list.text.size() >> 10));
    std::vector<content::ListProblem> problems;
    const content::ForbiddenWords words = content::ForbiddenWords::parse(list.text, problems);
    for (const std::u16string& sentence : sentences) {
        std::size_t end = 0; // of the word found before
        for (const content::ForbiddenWords::Hit& hit : words.find(sentence)) {
            require(hit.length > 0 && hit.position >= end &&
                        hit.position + hit.length <= sentence.size(),
                    "a word was found outside its sentence or over another",
                    static_cast<int>(hit.position));
            end = hit.position + hit.length;
        }
    }
}

// The readings of a content as the program takes them: read, and checked against its sentences.
// Whatever the entry holds, the check ends with every reading exactly as long, word by word, as
// its sentence, or with none at all.
void checkReadings(int startup, std::string_view name, int count, const ContentArray& texts)
{
    WordList readings;
    const int result = KOVA_readReadings(std::string(name).c_str(), receiveList, &readings);
    if (startup == KOVA_FILES_DAMAGED) {
        require(result == KOVA_BAD_ARCHIVE, "an archive refused at startup gave readings", result);
        return;
    }
    require(isGetZipDataCode(result), "KOVA_readReadings gave a code it may not give", result);
    require(readings.calls == (result == KOVA_OK ? 1 : 0), "readings were handed out wrongly",
            readings.calls);
    if (result != KOVA_OK || count < 0)
        return;
    ContentArray parsed;
    std::string problem;
    if (!content::parseReadings(readings.text, texts, parsed, problem)) {
        require(parsed.empty(), "refused readings were kept", static_cast<int>(parsed.size()));
        return;
    }
    require(parsed.size() == texts.size(), "readings and sentences differ in number",
            static_cast<int>(parsed.size()));
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        std::size_t units = 0;
        for (const char16_t c : parsed[i])
            units += content::isWordSeparator(c) ? content::wordUnitsOf(c) : 0;
        require(units == texts[i].size(), "a reading's words are not as long as its sentence",
                static_cast<int>(i));
    }
}

// The groups of words that mean the same, as the program takes them: read, parsed, and asked
// for the words of a few sentences' beginnings.
void checkSynonyms(int startup, const Sentences& sentences)
{
    WordList list;
    const int result = KOVA_readSynonyms(receiveList, &list);
    if (startup == KOVA_FILES_DAMAGED) {
        require(result == KOVA_BAD_ARCHIVE, "an archive refused at startup gave groups", result);
        return;
    }
    require(isGetZipDataCode(result), "KOVA_readSynonyms gave a code it may not give", result);
    if (result != KOVA_OK)
        return;
    require(list.text.size() <= 1u << 20, "a list of groups of more than 1 MiB was read",
            static_cast<int>(list.text.size() >> 10));
    std::vector<content::ListProblem> problems;
    const content::Synonyms synonyms = content::Synonyms::parse(list.text, problems);
    for (const std::u16string& sentence : sentences) {
        for (const std::u16string& word :
             synonyms.othersOf(content::foldUnits(sentence.substr(0, 4))))
            require(!word.empty(), "a group gave an empty word", 0);
    }
}

// The seven names in code page 932, converted once rather than for every input.
const std::map<std::string_view, std::string>& contentNames()
{
    static const std::map<std::string_view, std::string> names = [] {
        std::map<std::string_view, std::string> made;
        for (const std::string_view name : content::kAllContents)
            made.emplace(name, content::cp932ContentName(name));
        return made;
    }();
    return names;
}

// The library lets go of what it took for an input, so that every input ends with as many
// blocks freed as allocated: libFuzzer runs an input that leaves more again, to look for a
// leak, and the archive kept open from one input to the next would double the time of most.
void releaseInput()
{
    writeContentFile(nullptr, 0);
    require(KOVA_startup(nullptr) == KOVA_FILES_DAMAGED, "an empty file passed as an archive");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // libzip turns the time of every entry it looks at into local time; without TZ the C
    // library looks at the zone file again each time.
    setenv("TZ", "UTC", 0);
    contentFile = memfd_create("tessera-fuzz-content", 0);
    require(contentFile >= 0, "cannot make the content file in memory");
    const std::string path = "/proc/self/fd/" + std::to_string(contentFile);
    require(KOVA_useContentFile(path.c_str()) == KOVA_OK, "cannot use the content file");
    buffers();
    contentNames();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeContentFile(data, size);

    const int startup = KOVA_startup(nullptr);
    require(documentedCode(&Givers::startup, startup), "KOVA_startup gave a code it may not give",
            startup);

    Counts counts;
    Sentences sentences;
    for (const std::string_view name : content::kAllContents) {
        ContentArray texts;
        const int count = readContent(startup, contentNames().at(name), sentences, &texts);
        checkReadings(startup, name, count, texts);
        // A file refused at startup is opened afresh, and refused alike, by every call: once
        // shows whether the call agrees, and most inputs the fuzzer makes are such files.
        if (startup == KOVA_FILES_DAMAGED)
            break;
        counts[std::string(name)] = count;
    }
    const Listing listed = checkListing(startup, counts);
    readOtherNames(startup, listed.counts, sentences);
    checkDescription(startup, counts, listed.entries);
    checkWordList(startup, sentences);
    checkSynonyms(startup, sentences);
    releaseInput();
    return 0;
}
