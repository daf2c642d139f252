#pragma once
/*
 * tessera: the content access library. Verdane reads every example sentence through it.
 *
 * The content file is "verdane-content.zip" beside the executable: a zip archive with one
 * entry per content, the entry's name being the content name in UTF-8 and its archive comment
 * "Verdane content 1". An entry is UTF-8 text, one record per line: the flag string, a TAB,
 * the sentence; "\t", "\n" and "\\" escape a tab, a line break and a backslash.
 *
 * Calling order: KOVA_startup once; then per content KOVA_clearData, KOVA_getZipData,
 * KOVA_getItem for each record of one kind and then of the other, KOVA_clearData. Not thread
 * safe: all calls come from one thread.
 *
 * Memory: the caller is expected to keep every content it reads, each record as two UTF-16
 * strings. So a content holds at most 1,000,000 records, and all contents read since
 * KOVA_startup together at most 1 GiB counted as their UTF-16 text plus 96 bytes a record;
 * reading the same content again replaces what it counted before. A content beyond either
 * limit is refused with KOVA_CONTENT_TOO_LARGE before it takes the memory.
 *
 * No function lets a C++ exception out to its caller: running out of memory, or a trace sink,
 * about handler or visitor that throws, ends the call with the failure code given below.
 */

#include <stdint.h>
#include <uchar.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KOVA_API __attribute__((visibility("default")))
#else
#define KOVA_API
#endif

/* Item kinds of KOVA_getItem. */
#define KOVA_ITEM_TEXT 0x20001  /* the sentence */
#define KOVA_ITEM_FLAGS 0x20002 /* the flag string */

/* Result codes. 0 is success everywhere. Which function gives which is the table below. */
#define KOVA_OK 0
#define KOVA_FILES_DAMAGED 11       /* the content file is missing or not a sound zip archive */
#define KOVA_UNSUPPORTED_CONTENT 12 /* a sound archive, but not a content file of this version */
#define KOVA_OUT_OF_MEMORY 13       /* memory ran out, or the installed sink or handler threw */
#define KOVA_NO_CONTENT_FILE 256    /* there is no content file */
#define KOVA_BAD_ARCHIVE 257        /* the content file is not a sound zip archive */
#define KOVA_BAD_CONTENT_NAME 258   /* the name is missing or not valid code page 932 */
#define KOVA_NO_SUCH_CONTENT 259    /* the archive holds no entry of that name */
#define KOVA_UNREADABLE_ENTRY 260   /* the entry does not inflate, fails its CRC or is too large */
#define KOVA_BAD_LINE 261           /* a line without its TAB, with a second TAB or a bad escape */
#define KOVA_BAD_ARGUMENT 262       /* no record count to write to */
/* the content holds more records, or all contents more memory, than the program can hold
 * (also when memory ran out while the content was read) */
#define KOVA_CONTENT_TOO_LARGE 263
/* the item is damaged: */
#define KOVA_ITEM_NO_CONTENT 300   /* no content has been read since the last KOVA_clearData */
#define KOVA_ITEM_BAD_KIND 301     /* the kind is neither KOVA_ITEM_TEXT nor KOVA_ITEM_FLAGS */
#define KOVA_ITEM_BAD_INDEX 302    /* the index is outside 0 .. record count - 1 */
#define KOVA_ITEM_INVALID_UTF8 303 /* the field is not well-formed UTF-8 */
#define KOVA_ITEM_TOO_LARGE 304    /* the item and its NUL do not fit the buffer */
#define KOVA_ITEM_HOLDS_NUL 305    /* a NUL (U+0000) inside the field would cut the string short */

/* Every result code, with 1 under each function that may give it:
 *   X(code, KOVA_startup, KOVA_getZipData, KOVA_getItem, the others)
 * KOVA_listContents, KOVA_describeContents, KOVA_readWordList, KOVA_readReviewList,
 * KOVA_readSynonyms and KOVA_readReadings give the codes of KOVA_getZipData; the others are
 * KOVA_trace, KOVA_traceValue, KOVA_showAbout and KOVA_useContentFile. A code defined above is
 * added here too: the fuzz target holds each function to its codes by this table.
 * KOVA_clearData always gives KOVA_OK. */
#define KOVA_RESULT_CODES(X)                                                                       \
    X(KOVA_OK, 1, 1, 1, 1)                                                                         \
    X(KOVA_FILES_DAMAGED, 1, 0, 0, 0)                                                              \
    X(KOVA_UNSUPPORTED_CONTENT, 1, 0, 0, 0)                                                        \
    X(KOVA_OUT_OF_MEMORY, 1, 0, 0, 1)                                                              \
    X(KOVA_NO_CONTENT_FILE, 0, 1, 0, 0)                                                            \
    X(KOVA_BAD_ARCHIVE, 0, 1, 0, 0)                                                                \
    X(KOVA_BAD_CONTENT_NAME, 0, 1, 0, 0)                                                           \
    X(KOVA_NO_SUCH_CONTENT, 0, 1, 0, 0)                                                            \
    X(KOVA_UNREADABLE_ENTRY, 0, 1, 0, 0)                                                           \
    X(KOVA_BAD_LINE, 0, 1, 0, 0)                                                                   \
    X(KOVA_BAD_ARGUMENT, 0, 1, 0, 0)                                                               \
    X(KOVA_CONTENT_TOO_LARGE, 0, 1, 0, 0)                                                          \
    X(KOVA_ITEM_NO_CONTENT, 0, 0, 1, 0)                                                            \
    X(KOVA_ITEM_BAD_KIND, 0, 0, 1, 0)                                                              \
    X(KOVA_ITEM_BAD_INDEX, 0, 0, 1, 0)                                                             \
    X(KOVA_ITEM_INVALID_UTF8, 0, 0, 1, 0)                                                          \
    X(KOVA_ITEM_TOO_LARGE, 0, 0, 1, 0)                                                             \
    X(KOVA_ITEM_HOLDS_NUL, 0, 0, 1, 0)

/* Looks for the content file and checks that it is a sound zip archive (its central directory
 * agrees with its local headers) carrying the comment "Verdane content 1". Entries are not
 * inflated here: each one's CRC is checked when it is read. Starts the count of the memory the
 * contents read take afresh. The main window handle is not used. Returns KOVA_OK,
 * KOVA_FILES_DAMAGED, KOVA_UNSUPPORTED_CONTENT or KOVA_OUT_OF_MEMORY. */
KOVA_API int KOVA_startup(void* mainWindow);

/* Forgets the content read last and frees its memory. Always returns KOVA_OK. */
KOVA_API int KOVA_clearData(void);

/* Reads the content of the given name (code page 932, NUL-terminated) and stores its number of
 * records in *recordCount. reserved, first and last are not used (pass 0, -1, -1). On failure
 * *recordCount is 0 and no content is current. An entry is refused while it inflates as soon as
 * it passes a limit of memory (see above), so a small file cannot make it take more. */
KOVA_API int KOVA_getZipData(int reserved, const char* contentName, int first, int last,
                             int* recordCount);

/* Copies one item of the current content into buffer as a NUL-terminated UTF-16 string.
 * bufferBytes is the buffer's size in bytes; nothing is ever written past it. On failure the
 * buffer holds the empty string (when it has room for one) and a KOVA_ITEM_ code is returned;
 * an item that cannot be copied for any other reason is reported as KOVA_ITEM_TOO_LARGE. */
KOVA_API int KOVA_getItem(int kind, int index, char16_t* buffer, int bufferBytes);

/* Trace messages go to the sink installed with KOVA_setTraceSink, and nowhere without one. */
KOVA_API int KOVA_trace(const char16_t* message); /* KOVA_OK or KOVA_OUT_OF_MEMORY */
/* Replaces the first "%d" of format with value in signed decimal, then traces as above. */
KOVA_API int KOVA_traceValue(const char16_t* format, int value);

/* Shows the information about this software through the handler installed with
 * KOVA_setAboutHandler (the program installs one that opens its about box); without a handler
 * it does nothing. Returns KOVA_OK or KOVA_OUT_OF_MEMORY. */
KOVA_API int KOVA_showAbout(void);

/* ---- Seams for the program, its tests and tools; not part of the content protocol ---- */

typedef void (*KOVA_TraceSink)(const char16_t* message, void* context);
/* Installs a sink for trace messages (NULL removes it). */
KOVA_API void KOVA_setTraceSink(KOVA_TraceSink sink, void* context);

typedef void (*KOVA_AboutHandler)(void* context);
KOVA_API void KOVA_setAboutHandler(KOVA_AboutHandler handler, void* context);

/* Reads the content file from path instead of the one beside the executable (NULL restores
 * the default). Used by tests and by tools that inspect a content file. Returns KOVA_OK, or
 * KOVA_OUT_OF_MEMORY with the file in use unchanged. */
KOVA_API int KOVA_useContentFile(const char* path);

/* Calls onContent(name in UTF-8, record count, context) for every content of the content file
 * (every entry but the two word lists, the synonyms and the readings),
 * in archive order; a content that cannot be read reports -1 records. Every entry is read, so
 * this takes as long as the file is large. Returns a result code of KOVA_getZipData for the
 * file as a whole. Leaves the current content untouched. */
typedef void (*KOVA_ContentVisitor)(const char* name, int recordCount, void* context);
KOVA_API int KOVA_listContents(KOVA_ContentVisitor onContent, void* context);

/* Describes the nameCount contents named in names (UTF-8) for the about box: calls
 * onContent(name, record count, context) for each, in the order given, with -1 when the file
 * holds no entry of that name or KOVA_getZipData would refuse it were it the only content read.
 * Then stores in *otherEntries (when not NULL) how many entries of the file bear none of these
 * names, the two word lists, the synonyms and the readings aside. Only the named entries are read,
 * each within the limits of KOVA_getZipData; the others are only counted. Reads the file that
 * KOVA_startup checked, like KOVA_getZipData. Counts against no limit and leaves the current
 * content untouched. Returns a result code of KOVA_getZipData for the file as a whole. */
KOVA_API int KOVA_describeContents(const char* const* names, int nameCount,
                                   KOVA_ContentVisitor onContent, void* context, int* otherEntries);

/* Hands onList(text, byteCount, context) the list of words a school report must not carry, as
 * the packer stored it in the content file (UTF-8, one "word<TAB>reason" a line; see
 * content/ForbiddenWords.h). Reads the file that KOVA_startup checked. Returns KOVA_OK,
 * KOVA_NO_SUCH_CONTENT when the file holds no list, KOVA_CONTENT_TOO_LARGE for a list of more
 * than 1 MiB, or another result code of KOVA_getZipData for the file or the list's entry. */
typedef void (*KOVA_TextVisitor)(const char* text, int byteCount, void* context);
KOVA_API int KOVA_readWordList(KOVA_TextVisitor onList, void* context);

/* Hands onList(text, byteCount, context) the list of what a remark is read again for, as the
 * packer stored it in the content file (UTF-8, one "kind<TAB>word<TAB>reason" a line; see
 * content/ReviewWords.h), with the result codes of KOVA_readWordList. */
KOVA_API int KOVA_readReviewList(KOVA_TextVisitor onList, void* context);

/* Hands onList the groups of words that mean the same, as the packer stored them (UTF-8, one
 * group a line, its words separated by TABs; see content/Synonyms.h), as KOVA_readWordList
 * does the word list, with the same result codes and limit. */
KOVA_API int KOVA_readSynonyms(KOVA_TextVisitor onList, void* context);

/* Hands onReadings(text, byteCount, context) the readings of the sentences of the content
 * named contentName (UTF-8, the entry's own name), as the packer stored them: one line a
 * record, in the content's order (content/Readings.h). The caller checks them against the
 * sentences. Reads the file that KOVA_startup checked. Returns KOVA_OK, KOVA_BAD_CONTENT_NAME
 * for no name, KOVA_NO_SUCH_CONTENT when the file holds no readings of that content (a file
 * packed without readings), KOVA_CONTENT_TOO_LARGE for readings of more than 1 GiB, or another
 * result code of KOVA_getZipData for the file or the entry. */
KOVA_API int KOVA_readReadings(const char* contentName, KOVA_TextVisitor onReadings, void* context);

#ifdef __cplusplus
}
#endif
