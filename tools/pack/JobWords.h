#pragma once
// The words that show what job a sentence of the strengths content is written for, read from a
// list with one line per job type: the job type's caption as the strengths page shows it, a
// TAB, and its words separated by spaces. Blank lines and lines starting with "#" are notes.
//
// A sentence tagged with one job type only is shown to a teacher who picks that job type and to
// no one else, so it must name something of that job: a workplace, a course, a task, a
// qualification. A sentence that names nothing of it suits any workplace and belongs under
// 全ての職種, where every teacher finds it.

#include "content/Categories.h"
#include "content/ForbiddenWords.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pack {

class JobWords {
public:
    // Reads a list; every line that cannot be used, and every job type the list leaves without
    // words, is added to problems.
    static JobWords parse(std::string_view list, std::vector<content::ListProblem>& problems);

    // Whether the sentence holds one of the words of the job type at this flag position.
    bool namesJob(std::size_t job, std::u16string_view sentence) const;

private:
    static constexpr std::size_t kJobs = content::strengths::kAllJobs;
    std::array<std::vector<std::u16string>, kJobs> words_;
};

// The problem of a strengths sentence tagged with exactly one job type that names nothing of it.
std::vector<std::string> jobWordProblems(std::u16string_view flags, std::u16string_view sentence,
                                         const JobWords& words);

} // namespace pack
