#include "RemarkStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

// What this version of the program writes; a store marked higher is a newer program's.
constexpr int kSchemaVersion = 1;

constexpr const char* kSchema = R"(
CREATE TABLE classes (
    id      INTEGER PRIMARY KEY,
    grade   INTEGER NOT NULL,
    room    TEXT NOT NULL,
    UNIQUE (grade, room)
);
CREATE TABLE students (
    id       INTEGER PRIMARY KEY,
    class_id INTEGER NOT NULL REFERENCES classes (id) ON DELETE CASCADE,
    number   INTEGER NOT NULL,
    memo     TEXT NOT NULL DEFAULT '',
    UNIQUE (class_id, number)
);
CREATE TABLE remarks (
    id         INTEGER PRIMARY KEY,
    student_id INTEGER REFERENCES students (id) ON DELETE CASCADE,
    field      TEXT NOT NULL,
    version    INTEGER NOT NULL,
    text       TEXT NOT NULL,
    updated    INTEGER NOT NULL
);
CREATE INDEX remarks_by_student ON remarks (student_id, field, version);
)";

std::int64_t now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// In the teacher's words: what was wrong, not SQLite's.
std::string describe(int code, sqlite3* db)
{
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return "ディスクがいっぱいです";
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "保存先のフォルダーに書き込めません";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "ほかのプログラムが使用中です";
    default:
        return std::string("保存先に書き込めません（") + (db ? sqlite3_errmsg(db) : "") + "）";
    }
}

[[noreturn]] void fail(int code, sqlite3* db)
{
    throw StoreError(code & 0xFF, describe(code, db));
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db)
    {
        const int code = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
        if (code != SQLITE_OK)
            fail(code, db);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int at, std::int64_t value)
    {
        check(sqlite3_bind_int64(statement_, at, value));
        return *this;
    }
    Statement& bind(int at, const std::u16string& text)
    {
        check(sqlite3_bind_text16(statement_, at, text.data(),
                                  static_cast<int>(text.size() * sizeof(char16_t)),
                                  SQLITE_TRANSIENT));
        return *this;
    }
    Statement& bind(int at, std::optional<Id> value)
    {
        check(value ? sqlite3_bind_int64(statement_, at, *value)
                    : sqlite3_bind_null(statement_, at));
        return *this;
    }
    // True while there is a row to read.
    bool step()
    {
        const int code = sqlite3_step(statement_);
        if (code == SQLITE_ROW)
            return true;
        if (code != SQLITE_DONE)
            fail(code, db_);
        return false;
    }
    void run()
    {
        while (step()) {
        }
        sqlite3_reset(statement_);
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
    bool isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    std::u16string text(int column) const
    {
        const auto* units = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
        const int bytes = sqlite3_column_bytes16(statement_, column);
        return units ? std::u16string(units, static_cast<std::size_t>(bytes) / sizeof(char16_t))
                     : std::u16string();
    }
    std::string utf8(int column) const
    {
        const auto* text = sqlite3_column_text(statement_, column);
        return text ? reinterpret_cast<const char*>(text) : "";
    }

private:
    void check(int code)
    {
        if (code != SQLITE_OK)
            fail(code, db_);
    }

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

void execute(sqlite3* db, const char* sql)
{
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        fail(code, db);
}

// One transaction: committed by commit(), rolled back if it is left otherwise.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : db_(db) { execute(db, "BEGIN IMMEDIATE"); }
    ~Transaction()
    {
        if (db_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void commit()
    {
        execute(db_, "COMMIT");
        db_ = nullptr;
    }

private:
    sqlite3* db_;
};

Remark readRemark(const Statement& row)
{
    return {row.integer(0), row.isNull(1) ? std::nullopt : std::optional<Id>(row.integer(1)),
            row.text(2),    static_cast<int>(row.integer(3)),
            row.text(4),    row.integer(5)};
}

constexpr const char* kRemarkColumns = "SELECT id, student_id, field, version, text, updated ";

int nextVersion(sqlite3* db, std::optional<Id> student, const std::u16string& field)
{
    Statement next(db, "SELECT coalesce(max(version), 0) + 1 FROM remarks "
                       "WHERE student_id IS ?1 AND field = ?2");
    next.bind(1, student).bind(2, field);
    next.step();
    return static_cast<int>(next.integer(0));
}

bool startsLikeADatabase(const std::string& path)
{
    static const char kHeader[16] = "SQLite format 3"; // and its terminating zero
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return true; // not there, or not readable: SQLite says which
    char start[16] = {};
    const std::size_t read = std::fread(start, 1, sizeof start, file);
    std::fclose(file);
    // An empty file is an empty database to SQLite.
    return read == 0 || (read == sizeof start && std::equal(start, start + 16, kHeader));
}

// What makes a file unreadable to this program, as opposed to a folder it cannot write in.
bool isUnreadableFile(int code)
{
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT || code == SQLITE_FORMAT;
}

// Moves the file and its log aside under one new name with the time in it; empty when the
// file could not be moved.
std::string setAside(const std::string& path)
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string aside = path + ".unreadable-" + stamp;
    for (int n = 2; access(aside.c_str(), F_OK) == 0; ++n)
        aside = path + ".unreadable-" + stamp + "-" + std::to_string(n);
    if (std::rename(path.c_str(), aside.c_str()) != 0)
        return {};
    for (const char* log : {"-wal", "-journal"})
        std::rename((path + log).c_str(), (aside + log).c_str());
    std::remove((path + "-shm").c_str()); // an index of the log, made again from it
    return aside;
}

} // namespace

RemarkStore::Opening RemarkStore::open(const std::string& path)
{
    Opening opening;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!startsLikeADatabase(path)) {
            opening.setAsideAs = setAside(path);
            if (opening.setAsideAs.empty()) {
                opening.problem = "保存先のファイルを読めず、別の名前にもできません";
                return opening;
            }
        }
        // Made private to the user before SQLite writes into it; its logs take its mode.
        const int made = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (made >= 0)
            ::close(made);
        sqlite3* db = nullptr;
        int code =
            sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::unique_ptr<RemarkStore> store(db ? new RemarkStore(db) : nullptr);
        if (code != SQLITE_OK) {
            opening.problem = describe(code, db);
            return opening;
        }
        try {
            store->prepareSchema();
            opening.store = std::move(store);
            return opening;
        } catch (const StoreError& error) {
            if (!isUnreadableFile(error.code()) || !opening.setAsideAs.empty()) {
                opening.problem = error.what();
                return opening;
            }
        }
        store.reset();
        opening.setAsideAs = setAside(path);
        if (opening.setAsideAs.empty()) {
            opening.problem = "保存先のファイルを読めず、別の名前にもできません";
            return opening;
        }
    }
    return opening;
}

RemarkStore::~RemarkStore()
{
    sqlite3_close_v2(db_);
}

void RemarkStore::prepareSchema()
{
    sqlite3_busy_timeout(db_, 2000);
    const int found = [this] {
        Statement version(db_, "PRAGMA user_version");
        version.step();
        return static_cast<int>(version.integer(0));
    }();
    if (found > kSchemaVersion)
        throw StoreError(SQLITE_FORMAT, "新しい版のプログラムの保存先です");
    // A damaged file reads as sound until the damaged page is reached: look at every page once.
    if (found > 0) {
        Statement check(db_, "PRAGMA quick_check");
        if (!check.step() || check.utf8(0) != "ok")
            throw StoreError(SQLITE_CORRUPT, "保存先のファイルが壊れています");
    }
    // Each commit is on disk before the next keystroke is stored; a deleted remark is overwritten.
    execute(db_, "PRAGMA journal_mode = WAL");
    execute(db_, "PRAGMA synchronous = FULL");
    execute(db_, "PRAGMA foreign_keys = ON");
    execute(db_, "PRAGMA secure_delete = ON");
    if (found == 0) {
        Transaction making(db_);
        execute(db_, kSchema);
        execute(db_, "PRAGMA user_version = 1");
        making.commit();
    }
}

SchoolClass RemarkStore::classFor(int grade, const std::u16string& room)
{
    Statement add(db_, "INSERT INTO classes (grade, room) VALUES (?1, ?2) "
                       "ON CONFLICT DO NOTHING");
    add.bind(1, grade).bind(2, room).run();
    Statement find(db_, "SELECT id FROM classes WHERE grade = ?1 AND room = ?2");
    find.bind(1, grade).bind(2, room);
    find.step();
    return {find.integer(0), grade, room};
}

std::vector<SchoolClass> RemarkStore::classes() const
{
    Statement all(db_, "SELECT id, grade, room FROM classes ORDER BY grade, room");
    std::vector<SchoolClass> found;
    while (all.step())
        found.push_back({all.integer(0), static_cast<int>(all.integer(1)), all.text(2)});
    return found;
}

std::optional<SchoolClass> RemarkStore::schoolClass(Id id) const
{
    Statement one(db_, "SELECT id, grade, room FROM classes WHERE id = ?1");
    one.bind(1, id);
    if (!one.step())
        return std::nullopt;
    return SchoolClass{one.integer(0), static_cast<int>(one.integer(1)), one.text(2)};
}

Student RemarkStore::studentFor(Id classId, int number)
{
    Statement add(db_, "INSERT INTO students (class_id, number) VALUES (?1, ?2) "
                       "ON CONFLICT DO NOTHING");
    add.bind(1, classId).bind(2, number).run();
    Statement find(db_, "SELECT id, memo FROM students WHERE class_id = ?1 AND number = ?2");
    find.bind(1, classId).bind(2, number);
    find.step();
    return {find.integer(0), classId, number, find.text(1)};
}

std::vector<Student> RemarkStore::students(Id classId) const
{
    Statement all(db_, "SELECT id, number, memo FROM students WHERE class_id = ?1 ORDER BY number");
    all.bind(1, classId);
    std::vector<Student> found;
    while (all.step())
        found.push_back({all.integer(0), classId, static_cast<int>(all.integer(1)), all.text(2)});
    return found;
}

std::optional<Student> RemarkStore::student(Id id) const
{
    Statement one(db_, "SELECT id, class_id, number, memo FROM students WHERE id = ?1");
    one.bind(1, id);
    if (!one.step())
        return std::nullopt;
    return Student{one.integer(0), one.integer(1), static_cast<int>(one.integer(2)), one.text(3)};
}

void RemarkStore::setMemo(Id student, const std::u16string& memo)
{
    Statement set(db_, "UPDATE students SET memo = ?2 WHERE id = ?1");
    set.bind(1, student).bind(2, memo).run();
}

Remark RemarkStore::addRemark(std::optional<Id> student, const std::u16string& field,
                              const std::u16string& text)
{
    Transaction adding(db_);
    const int version = nextVersion(db_, student, field);
    const std::int64_t updated = now();
    Statement add(db_, "INSERT INTO remarks (student_id, field, version, text, updated) "
                       "VALUES (?1, ?2, ?3, ?4, ?5)");
    add.bind(1, student).bind(2, field).bind(3, version).bind(4, text).bind(5, updated).run();
    const Id id = sqlite3_last_insert_rowid(db_);
    adding.commit();
    return {id, student, field, version, text, updated};
}

std::vector<Remark> RemarkStore::remarks(std::optional<Id> student) const
{
    Statement all(db_, (std::string(kRemarkColumns) +
                        "FROM remarks WHERE student_id IS ?1 ORDER BY field, version, id")
                           .c_str());
    all.bind(1, student);
    std::vector<Remark> found;
    while (all.step())
        found.push_back(readRemark(all));
    return found;
}

std::optional<Remark> RemarkStore::remark(Id id) const
{
    Statement one(db_, (std::string(kRemarkColumns) + "FROM remarks WHERE id = ?1").c_str());
    one.bind(1, id);
    if (!one.step())
        return std::nullopt;
    return readRemark(one);
}

std::optional<Remark> RemarkStore::lastChanged() const
{
    Statement last(
        db_, (std::string(kRemarkColumns) + "FROM remarks ORDER BY updated DESC, id DESC LIMIT 1")
                 .c_str());
    if (!last.step())
        return std::nullopt;
    return readRemark(last);
}

void RemarkStore::saveTexts(const std::vector<std::pair<Id, std::u16string>>& texts)
{
    Transaction saving(db_);
    Statement save(db_, "UPDATE remarks SET text = ?2, updated = ?3 WHERE id = ?1 AND text <> ?2");
    const std::int64_t updated = now();
    for (const auto& [id, text] : texts)
        save.bind(1, id).bind(2, text).bind(3, updated).run();
    saving.commit();
}

void RemarkStore::moveRemark(Id remark, std::optional<Id> student, const std::u16string& field)
{
    Transaction moving(db_);
    const int version = nextVersion(db_, student, field);
    Statement move(db_, "UPDATE remarks SET student_id = ?2, field = ?3, version = ?4 "
                        "WHERE id = ?1");
    move.bind(1, remark).bind(2, student).bind(3, field).bind(4, version).run();
    moving.commit();
}

void RemarkStore::deleteRemark(Id remark)
{
    Statement gone(db_, "DELETE FROM remarks WHERE id = ?1");
    gone.bind(1, remark).run();
    forget();
}

void RemarkStore::deleteStudent(Id student)
{
    Statement gone(db_, "DELETE FROM students WHERE id = ?1");
    gone.bind(1, student).run();
    forget();
}

void RemarkStore::deleteClass(Id classId)
{
    Statement gone(db_, "DELETE FROM classes WHERE id = ?1");
    gone.bind(1, classId).run();
    forget();
}

// What was deleted is zeroed in the file by secure_delete once it reaches it; until then the log
// holds the pages as they were: write them into the file and empty the log.
void RemarkStore::forget()
{
    execute(db_, "PRAGMA wal_checkpoint(TRUNCATE)");
}

std::string RemarkStore::integrityCheck() const
{
    Statement check(db_, "PRAGMA integrity_check");
    std::string result;
    while (check.step())
        result += (result.empty() ? "" : "\n") + check.utf8(0);
    return result;
}

std::string defaultStorePath()
{
    std::string base;
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !home[0])
            return {};
        base = std::string(home) + "/.local/share";
        ::mkdir((std::string(home) + "/.local").c_str(), 0700);
    }
    ::mkdir(base.c_str(), 0700);
    const std::string folder = base + "/verdane";
    ::mkdir(folder.c_str(), 0700);
    // Private even when it was made before, by hand or by another umask.
    ::chmod(folder.c_str(), 0700);
    return folder + "/remarks.sqlite";
}

} // namespace store
