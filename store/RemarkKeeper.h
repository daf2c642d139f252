#pragma once
// Keeps what the teacher types without being asked: a change waits a moment for the keystrokes
// after it, then all that changed is stored in one transaction, away from the keystroke itself.
// When the store cannot be written (a full disk, a folder made read-only) the texts stay here,
// the teacher is told once, and they are stored as soon as writing works again.

#include "RemarkStore.h"

#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace store {

class RemarkKeeper {
public:
    // A change is stored at most this long after it was typed (and the write has taken).
    static constexpr int kGatherMs = 300;
    // How often writing is tried again while it fails.
    static constexpr int kRetryMs = 2000;

    explicit RemarkKeeper(std::string path);
    ~RemarkKeeper();
    RemarkKeeper(const RemarkKeeper&) = delete;
    RemarkKeeper& operator=(const RemarkKeeper&) = delete;

    // Null while no store could be opened; the keeper tries again at each save.
    RemarkStore* store() const { return store_.get(); }
    const std::string& path() const { return path_; }
    // Where a store this program could not read was moved when it was opened; empty if none.
    const std::string& setAsideAs() const { return setAsideAs_; }

    // A new remark. Stored at once when the store can be written; otherwise it gets an id of
    // its own (below zero) until it can, which resolved() then turns into the store's.
    Id newRemark(std::optional<Id> student, const std::u16string& field,
                 const std::u16string& text);
    Id resolved(Id id) const;
    // The remark's text as it is now; stored within kGatherMs.
    void change(Id remark, const std::u16string& text);
    // A text changed but not stored yet.
    std::optional<std::u16string> unsavedText(Id remark) const;
    // Forgets what is waiting for a remark deleted.
    void drop(Id remark);

    // Stores everything waiting now; true when nothing is left unstored.
    bool save();
    bool everythingKept() const { return waiting_.empty(); }
    // Why the last save failed, in the teacher's words; empty while saving works.
    const std::u16string& problem() const { return problem_; }
    // Called when the problem changes: when saving starts to fail, and (empty) when it works
    // again.
    std::function<void(const std::u16string& problem)> onProblem;

private:
    struct Waiting {
        std::optional<Id> student; // for a remark not yet in the store
        std::u16string field;
        std::u16string text;
    };
    void reportProblem(std::u16string problem);
    void schedule();

    std::string path_;
    std::unique_ptr<RemarkStore> store_;
    std::string setAsideAs_;
    std::map<Id, Waiting> waiting_;
    std::map<Id, Id> stored_; // ids given before the store could be written, and the store's
    Id nextLocal_ = -1;
    std::u16string problem_;
    QTimer timer_;
};

} // namespace store
