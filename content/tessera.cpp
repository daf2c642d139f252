// The content access library: the C interface over the content file.

#include "tessera.h"

#include "ContentArchive.h"
#include "Cp932.h"
#include "EntryTally.h"
#include "ForbiddenWords.h"
#include "Readings.h"
#include "RecordFormat.h"
#include "ReviewWords.h"
#include "Synonyms.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace content;

namespace {

constexpr const char* kContentFileName = "verdane-content.zip";

struct CurrentContent {
    std::string data;               // the entry, inflated; records point into it
    std::vector<RawRecord> records; // in file order
    bool loaded = false;
};

struct Library {
    std::string contentFileOverride;
    CurrentContent current;
    // What each content read since KOVA_startup costs the caller that keeps it, by entry name.
    std::map<std::string, std::uint64_t, std::less<>> held;
    // The content file as KOVA_startup checked it, kept open for the contents read after it:
    // checking a file of many entries afresh for every content would make start-up crawl.
    std::optional<ContentArchive> checked;
    std::string checkedPath;
    KOVA_TraceSink traceSink = nullptr;
    void* traceContext = nullptr;
    KOVA_AboutHandler aboutHandler = nullptr;
    void* aboutContext = nullptr;
};

Library& library()
{
    static Library instance;
    return instance;
}

std::string executableFolder()
{
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return ".";
    path.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string contentFilePath()
{
    const std::string& forced = library().contentFileOverride;
    return forced.empty() ? executableFolder() + "/" + kContentFileName : forced;
}

int getZipDataResult(ArchiveError error)
{
    switch (error) {
    case ArchiveError::None:
        return KOVA_OK;
    case ArchiveError::NoFile:
        return KOVA_NO_CONTENT_FILE;
    case ArchiveError::NotSound:
        return KOVA_BAD_ARCHIVE;
    case ArchiveError::NoSuchEntry:
        return KOVA_NO_SUCH_CONTENT;
    case ArchiveError::UnreadableEntry:
        return KOVA_UNREADABLE_ENTRY;
    case ArchiveError::Refused:
        return KOVA_CONTENT_TOO_LARGE;
    }
    return KOVA_UNREADABLE_ENTRY;
}

// A word list is a few hundred short lines; one that claims more is not read.
constexpr std::uint64_t kMaxWordListBytes = 1u << 20;
// The readings of a content are a few times its sentences; the program keeps them as it keeps
// the sentences, within the same room.
constexpr std::uint64_t kMaxReadingsBytes = kMaxHeldBytes;

static_assert(kMaxRecordsPerContent <= INT_MAX, "a record count must fit the C interface");

// Splits an inflated entry into records; false when a line cannot be read.
bool splitRecords(std::string_view data, std::vector<RawRecord>& records)
{
    return forEachLine(data, [&](std::size_t, std::string_view line) {
        RawRecord record;
        if (parseLine(line, record) != LineError::None)
            return false;
        records.push_back(record);
        return true;
    });
}

// Reads one entry into data and records. It is refused, and stops inflating, as soon as it
// holds more records than a content may or would cost its keeper more than room; held receives
// what it will cost.
int readRecords(const ContentArchive& archive, std::string_view entryName, std::uint64_t room,
                std::string& data, std::vector<RawRecord>& records, std::uint64_t& held)
{
    EntryTally tally;
    const ArchiveError error = archive.read(entryName, data, [&](std::string_view piece) {
        tally.count(piece);
        return tally.lineEnds <= kMaxRecordsPerContent && tally.heldBytes(tally.lineEnds) <= room;
    });
    if (error != ArchiveError::None)
        return getZipDataResult(error);
    // The last line needs no line end, so there may be one record more than line ends.
    const std::uint64_t lines = tally.lineEnds + (data.empty() || data.back() == '\n' ? 0 : 1);
    held = tally.heldBytes(lines);
    if (lines > kMaxRecordsPerContent || held > room)
        return KOVA_CONTENT_TOO_LARGE;
    records.reserve(static_cast<std::size_t>(lines));
    if (!splitRecords(data, records))
        return KOVA_BAD_LINE;
    return KOVA_OK;
}

// The number of records of one entry for a listing, which keeps none of them; -1 when the
// entry cannot be read. A listing is no caller that keeps contents, so it has the whole budget.
int recordCountOf(const ContentArchive& archive, std::string_view entryName)
{
    std::string data;
    std::vector<RawRecord> records;
    std::uint64_t held = 0;
    return readRecords(archive, entryName, kMaxHeldBytes, data, records, held) == KOVA_OK
               ? static_cast<int>(records.size())
               : -1;
}

std::uint64_t heldByOthers(const Library& lib, std::string_view entryName)
{
    std::uint64_t sum = 0;
    for (const auto& [name, bytes] : lib.held)
        sum += name == entryName ? 0 : bytes;
    return sum;
}

// The content file checked by KOVA_startup, or else opened and checked now.
const ContentArchive* checkedArchive(Library& lib, ArchiveError& error)
{
    error = ArchiveError::None;
    const std::string path = contentFilePath();
    if (!lib.checked || lib.checkedPath != path) {
        lib.checked.reset();
        ContentArchive archive = ContentArchive::open(path, error);
        if (error != ArchiveError::None)
            return nullptr;
        lib.checked.emplace(std::move(archive));
        lib.checkedPath = path;
    }
    return &*lib.checked;
}

int readContent(const char* contentName, Library& lib)
{
    if (!contentName)
        return KOVA_BAD_CONTENT_NAME;
    const std::optional<std::string> entryName = cp932ToUtf8(contentName);
    if (!entryName)
        return KOVA_BAD_CONTENT_NAME;
    ArchiveError error;
    const ContentArchive* opened = checkedArchive(lib, error);
    if (!opened)
        return getZipDataResult(error);
    const ContentArchive& archive = *opened;
    const std::uint64_t others = heldByOthers(lib, *entryName);
    const std::uint64_t room = kMaxHeldBytes - std::min(others, kMaxHeldBytes);
    std::uint64_t held = 0;
    const int result =
        readRecords(archive, *entryName, room, lib.current.data, lib.current.records, held);
    if (result != KOVA_OK)
        return result;
    lib.held[*entryName] = held;
    lib.current.loaded = true;
    return KOVA_OK;
}

// Copies one item into buffer, which has room for capacity code units.
int copyItem(int kind, int index, char16_t* buffer, std::size_t capacity)
{
    const CurrentContent& current = library().current;
    if (!current.loaded)
        return KOVA_ITEM_NO_CONTENT;
    if (kind != KOVA_ITEM_TEXT && kind != KOVA_ITEM_FLAGS)
        return KOVA_ITEM_BAD_KIND;
    if (index < 0 || static_cast<std::size_t>(index) >= current.records.size())
        return KOVA_ITEM_BAD_INDEX;
    const RawRecord& record = current.records[static_cast<std::size_t>(index)];
    std::size_t length;
    switch (decodeField(kind == KOVA_ITEM_TEXT ? record.text : record.flags, buffer, capacity,
                        length)) {
    case DecodeError::None:
        return KOVA_OK;
    case DecodeError::InvalidUtf8:
        return KOVA_ITEM_INVALID_UTF8;
    case DecodeError::TooLarge:
        return KOVA_ITEM_TOO_LARGE;
    case DecodeError::HoldsNul:
        return KOVA_ITEM_HOLDS_NUL;
    }
    return KOVA_ITEM_INVALID_UTF8;
}

// A caller that knows only C cannot catch a C++ exception, so none may leave the library:
// each entry point answers with its failure code instead. What can fail here is memory.
template <typename Body> int guarded(int outOfMemory, int otherFailure, Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return outOfMemory;
    } catch (const std::length_error&) {
        return outOfMemory;
    } catch (...) {
        return otherFailure;
    }
}

// Whether an entry serves the contents instead of being one: the word lists, the words that
// mean the same, and the readings of each content.
bool isSupplementaryEntry(std::string_view name)
{
    return name == kForbiddenWordsEntry || name == kReviewWordsEntry || name == kSynonymsEntry ||
           name.starts_with(kReadingsFolder);
}

// Hands onText one whole entry of the file KOVA_startup checked, refused past maxBytes.
int readTextEntry(std::string_view name, std::uint64_t maxBytes, KOVA_TextVisitor onText,
                  void* context)
{
    return guarded(KOVA_CONTENT_TOO_LARGE, KOVA_UNREADABLE_ENTRY, [&] {
        ArchiveError error;
        const ContentArchive* archive = checkedArchive(library(), error);
        if (!archive)
            return getZipDataResult(error);
        std::string text;
        std::uint64_t inflated = 0;
        error = archive->read(name, text, [&](std::string_view piece) {
            inflated += piece.size();
            return inflated <= maxBytes;
        });
        if (error != ArchiveError::None)
            return getZipDataResult(error);
        if (text.size() > INT_MAX)
            return KOVA_CONTENT_TOO_LARGE;
        if (onText)
            onText(text.data(), static_cast<int>(text.size()), context);
        return KOVA_OK;
    });
}

} // namespace

extern "C" {

int KOVA_startup(void* /*mainWindow*/)
{
    return guarded(KOVA_OUT_OF_MEMORY, KOVA_OUT_OF_MEMORY, [] {
        Library& lib = library();
        lib.held.clear();
        lib.checked.reset(); // the file is checked afresh at every start
        ArchiveError error;
        const ContentArchive* archive = checkedArchive(lib, error);
        if (!archive)
            return KOVA_FILES_DAMAGED;
        return archive->comment() == kArchiveComment ? KOVA_OK : KOVA_UNSUPPORTED_CONTENT;
    });
}

int KOVA_clearData(void)
{
    library().current = CurrentContent{};
    return KOVA_OK;
}

int KOVA_getZipData(int /*reserved*/, const char* contentName, int /*first*/, int /*last*/,
                    int* recordCount)
{
    if (!recordCount)
        return KOVA_BAD_ARGUMENT;
    *recordCount = 0;
    // Records point into the inflated data, so the content is read in place, never moved.
    Library& lib = library();
    lib.current = CurrentContent{};
    const int result = guarded(KOVA_CONTENT_TOO_LARGE, KOVA_UNREADABLE_ENTRY,
                               [&] { return readContent(contentName, lib); });
    if (result != KOVA_OK) {
        lib.current = CurrentContent{};
        return result;
    }
    *recordCount = static_cast<int>(lib.current.records.size());
    return KOVA_OK;
}

int KOVA_getItem(int kind, int index, char16_t* buffer, int bufferBytes)
{
    const std::size_t capacity =
        buffer && bufferBytes > 0 ? static_cast<std::size_t>(bufferBytes) / sizeof(char16_t) : 0;
    if (capacity > 0)
        buffer[0] = u'\0';
    return guarded(KOVA_ITEM_TOO_LARGE, KOVA_ITEM_TOO_LARGE,
                   [&] { return copyItem(kind, index, buffer, capacity); });
}

int KOVA_trace(const char16_t* message)
{
    const Library& lib = library();
    if (!lib.traceSink || !message)
        return KOVA_OK;
    return guarded(KOVA_OUT_OF_MEMORY, KOVA_OUT_OF_MEMORY, [&] {
        lib.traceSink(message, lib.traceContext);
        return KOVA_OK;
    });
}

int KOVA_traceValue(const char16_t* format, int value)
{
    if (!format)
        return KOVA_OK;
    return guarded(KOVA_OUT_OF_MEMORY, KOVA_OUT_OF_MEMORY, [&] {
        std::u16string message(format);
        const std::size_t at = message.find(u"%d");
        if (at != std::u16string::npos) {
            const std::string digits = std::to_string(value);
            message.replace(at, 2, std::u16string(digits.begin(), digits.end()));
        }
        return KOVA_trace(message.c_str());
    });
}

int KOVA_showAbout(void)
{
    const Library& lib = library();
    if (!lib.aboutHandler)
        return KOVA_OK;
    return guarded(KOVA_OUT_OF_MEMORY, KOVA_OUT_OF_MEMORY, [&] {
        lib.aboutHandler(lib.aboutContext);
        return KOVA_OK;
    });
}

void KOVA_setTraceSink(KOVA_TraceSink sink, void* context)
{
    library().traceSink = sink;
    library().traceContext = context;
}

void KOVA_setAboutHandler(KOVA_AboutHandler handler, void* context)
{
    library().aboutHandler = handler;
    library().aboutContext = context;
}

int KOVA_useContentFile(const char* path)
{
    return guarded(KOVA_OUT_OF_MEMORY, KOVA_OUT_OF_MEMORY, [&] {
        library().contentFileOverride = path ? path : "";
        return KOVA_OK;
    });
}

int KOVA_listContents(KOVA_ContentVisitor onContent, void* context)
{
    return guarded(KOVA_CONTENT_TOO_LARGE, KOVA_UNREADABLE_ENTRY, [&] {
        ArchiveError error;
        const ContentArchive archive = ContentArchive::open(contentFilePath(), error);
        if (error != ArchiveError::None)
            return getZipDataResult(error);
        archive.forEachEntry([&](std::string_view name) {
            if (onContent && !isSupplementaryEntry(name))
                onContent(std::string(name).c_str(), recordCountOf(archive, name), context);
        });
        return KOVA_OK;
    });
}

int KOVA_describeContents(const char* const* names, int nameCount, KOVA_ContentVisitor onContent,
                          void* context, int* otherEntries)
{
    if (otherEntries)
        *otherEntries = 0;
    return guarded(KOVA_CONTENT_TOO_LARGE, KOVA_UNREADABLE_ENTRY, [&] {
        // The file the program read its contents from, as checked at the start: the box
        // describes what the pages show, and opens at once however many entries there are.
        ArchiveError error;
        const ContentArchive* opened = checkedArchive(library(), error);
        if (!opened)
            return getZipDataResult(error);
        const ContentArchive& archive = *opened;
        std::set<std::string_view> present;
        for (int i = 0; names && i < nameCount; ++i) {
            const std::string_view name = names[i] ? names[i] : "";
            int count = -1;
            if (archive.contains(name)) {
                present.insert(name);
                count = recordCountOf(archive, name);
            }
            if (onContent)
                onContent(std::string(name).c_str(), count, context);
        }
        if (otherEntries) {
            std::uint64_t others = 0;
            archive.forEachEntry([&](std::string_view name) {
                others += !present.contains(name) && !isSupplementaryEntry(name);
            });
            *otherEntries = static_cast<int>(std::min<std::uint64_t>(others, INT_MAX));
        }
        return KOVA_OK;
    });
}

int KOVA_readWordList(KOVA_TextVisitor onList, void* context)
{
    return readTextEntry(kForbiddenWordsEntry, kMaxWordListBytes, onList, context);
}

int KOVA_readSynonyms(KOVA_TextVisitor onList, void* context)
{
    return readTextEntry(kSynonymsEntry, kMaxWordListBytes, onList, context);
}

int KOVA_readReadings(const char* contentName, KOVA_TextVisitor onReadings, void* context)
{
    return guarded(KOVA_CONTENT_TOO_LARGE, KOVA_UNREADABLE_ENTRY, [&] {
        if (!contentName || !*contentName)
            return KOVA_BAD_CONTENT_NAME;
        return readTextEntry(std::string(kReadingsFolder) + contentName, kMaxReadingsBytes,
                             onReadings, context);
    });
}

int KOVA_readReviewList(KOVA_TextVisitor onList, void* context)
{
    return readTextEntry(kReviewWordsEntry, kMaxWordListBytes, onList, context);
}

} // extern "C"
