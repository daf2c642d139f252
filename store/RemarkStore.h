#pragma once
// The teacher's remarks, kept in one SQLite file private to the user: classes (学年 and 組),
// their students by 出席番号 with a short memo, and the remarks, each for a field of the form,
// numbered by version per student and field. A remark may belong to no student yet: a draft
// begun before anyone was chosen. Every write is a transaction on a write-ahead log synced to
// disk, so that a crash or a power cut loses no remark already stored and never damages the file.
//
// No window system here: the program's draft and the tests use it alike.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;

namespace store {

using Id = std::int64_t;

struct SchoolClass {
    Id id;
    int grade;           // 学年
    std::u16string room; // 組, as the school names it ("1", "A")
};

struct Student {
    Id id;
    Id classId;
    int number; // 出席番号
    std::u16string memo;
};

struct Remark {
    Id id;
    std::optional<Id> student; // none: begun before a student was chosen
    std::u16string field;      // the form's field the remark is written for
    int version;               // 1, 2, ... per student and field
    std::u16string text;
    std::int64_t updated; // milliseconds since the epoch
};

// A write or read that failed; what() says why in the teacher's words.
class StoreError : public std::runtime_error {
public:
    StoreError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    // SQLite's primary result code (SQLITE_FULL, SQLITE_READONLY, ...).
    int code() const { return code_; }

private:
    int code_;
};

class RemarkStore {
public:
    struct Opening {
        std::unique_ptr<RemarkStore> store; // null when none could be opened or made
        std::string setAsideAs; // where a file this program cannot read was moved, if one was
        std::string problem;    // why there is no store
    };
    // Opens the store at path, or makes it (readable by the user alone). A file that is not a
    // store this version can read (not a database, damaged, from a newer version) is moved aside
    // under a name of its own, unchanged, and a new store is made in its place. A folder that
    // cannot be written gives no store and a problem, and leaves any file there as it is.
    static Opening open(const std::string& path);
    ~RemarkStore();
    RemarkStore(const RemarkStore&) = delete;
    RemarkStore& operator=(const RemarkStore&) = delete;

    // The class of that 学年 and 組, made if it is not there yet.
    SchoolClass classFor(int grade, const std::u16string& room);
    std::vector<SchoolClass> classes() const;
    std::optional<SchoolClass> schoolClass(Id id) const;

    // The student of that 出席番号 in the class, made if not there yet.
    Student studentFor(Id classId, int number);
    std::vector<Student> students(Id classId) const;
    std::optional<Student> student(Id id) const;
    void setMemo(Id student, const std::u16string& memo);

    // A new remark, the next version of its student's remarks for that field.
    Remark addRemark(std::optional<Id> student, const std::u16string& field,
                     const std::u16string& text);
    // The remarks of the student, or those of no student, by field and version.
    std::vector<Remark> remarks(std::optional<Id> student) const;
    std::optional<Remark> remark(Id id) const;
    // The remark changed last, to take up the work where it was left.
    std::optional<Remark> lastChanged() const;
    // Stores the texts of several remarks in one transaction: all or none.
    void saveTexts(const std::vector<std::pair<Id, std::u16string>>& texts);
    // Gives the remark to a student, or moves it to another field, as the next version there.
    void moveRemark(Id remark, std::optional<Id> student, const std::u16string& field);

    // Deleted from the file itself: the freed pages are overwritten and the log is emptied.
    void deleteRemark(Id remark);
    void deleteStudent(Id student);
    void deleteClass(Id classId);

    // SQLite's full check of the file: "ok" when it is sound.
    std::string integrityCheck() const;

private:
    explicit RemarkStore(sqlite3* db) : db_(db) {}
    void prepareSchema();
    void forget();

    sqlite3* db_;
};

// The file of the store: $XDG_DATA_HOME/verdane/remarks.sqlite, or ~/.local/share/verdane/ when
// XDG_DATA_HOME is not set (or not an absolute path). The folder is made readable by the user
// alone; empty when there is no home to put it in.
std::string defaultStorePath();

} // namespace store
