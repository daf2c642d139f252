// The content access library: the C interface over the content file.

#include "tessera.h"

#include "ContentArchive.h"
#include "Cp932.h"
#include "RecordFormat.h"

#include <climits>
#include <string>
#include <unistd.h>
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
    }
    return KOVA_UNREADABLE_ENTRY;
}

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

int readContent(const char* contentName, CurrentContent& into)
{
    if (!contentName)
        return KOVA_BAD_CONTENT_NAME;
    const std::optional<std::string> entryName = cp932ToUtf8(contentName);
    if (!entryName)
        return KOVA_BAD_CONTENT_NAME;
    ArchiveError error;
    const ContentArchive archive = ContentArchive::open(contentFilePath(), error);
    if (error == ArchiveError::None)
        error = archive.read(*entryName, into.data);
    if (error != ArchiveError::None)
        return getZipDataResult(error);
    if (!splitRecords(into.data, into.records) || into.records.size() > INT_MAX)
        return KOVA_BAD_LINE;
    into.loaded = true;
    return KOVA_OK;
}

} // namespace

extern "C" {

int KOVA_startup(void* /*mainWindow*/)
{
    ArchiveError error;
    const ContentArchive archive = ContentArchive::open(contentFilePath(), error);
    if (error != ArchiveError::None)
        return KOVA_FILES_DAMAGED;
    return archive.comment() == kArchiveComment ? KOVA_OK : KOVA_UNSUPPORTED_CONTENT;
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
    CurrentContent& current = library().current;
    current = CurrentContent{};
    const int result = readContent(contentName, current);
    if (result != KOVA_OK) {
        current = CurrentContent{};
        return result;
    }
    *recordCount = static_cast<int>(current.records.size());
    return KOVA_OK;
}

int KOVA_getItem(int kind, int index, char16_t* buffer, int bufferBytes)
{
    const std::size_t capacity =
        buffer && bufferBytes > 0 ? static_cast<std::size_t>(bufferBytes) / sizeof(char16_t) : 0;
    if (capacity > 0)
        buffer[0] = u'\0';
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
    }
    return KOVA_ITEM_INVALID_UTF8;
}

int KOVA_trace(const char16_t* message)
{
    const Library& lib = library();
    if (lib.traceSink && message)
        lib.traceSink(message, lib.traceContext);
    return KOVA_OK;
}

int KOVA_traceValue(const char16_t* format, int value)
{
    if (!format)
        return KOVA_OK;
    std::u16string message(format);
    const std::size_t at = message.find(u"%d");
    if (at != std::u16string::npos) {
        const std::string digits = std::to_string(value);
        message.replace(at, 2, std::u16string(digits.begin(), digits.end()));
    }
    return KOVA_trace(message.c_str());
}

int KOVA_showAbout(void)
{
    const Library& lib = library();
    if (lib.aboutHandler)
        lib.aboutHandler(lib.aboutContext);
    return KOVA_OK;
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

void KOVA_useContentFile(const char* path)
{
    library().contentFileOverride = path ? path : "";
}

int KOVA_listContents(KOVA_ContentVisitor onContent, void* context)
{
    ArchiveError error;
    const ContentArchive archive = ContentArchive::open(contentFilePath(), error);
    if (error != ArchiveError::None)
        return getZipDataResult(error);
    archive.forEachEntry([&](std::string_view name) {
        std::string data;
        std::vector<RawRecord> records;
        const bool readable = archive.read(name, data) == ArchiveError::None &&
                              splitRecords(data, records) && records.size() <= INT_MAX;
        if (onContent)
            onContent(std::string(name).c_str(), readable ? static_cast<int>(records.size()) : -1,
                      context);
    });
    return KOVA_OK;
}

} // extern "C"
