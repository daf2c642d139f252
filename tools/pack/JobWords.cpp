#include "JobWords.h"

#include "content/RecordFormat.h"
#include "content/Utf8.h"

#include <algorithm>

namespace pack {

namespace {

using content::ListProblem;
using content::strengths::kAllJobs;
using content::strengths::kJobTypes;

// The position of the job type with this caption, or kAllJobs when no job type has it.
std::size_t jobNamed(std::string_view caption)
{
    for (std::size_t p = 0; p < kAllJobs; ++p) {
        if (content::toUtf8(kJobTypes[p].caption) == caption)
            return p;
    }
    return kAllJobs;
}

std::u16string decoded(std::string_view word)
{
    std::u16string buffer(word.size() + 1, u'\0');
    std::size_t length = 0;
    if (content::decodeField(word, buffer.data(), buffer.size(), length) !=
        content::DecodeError::None)
        return {};
    buffer.resize(length);
    return buffer;
}

bool flagged(std::u16string_view flags, std::size_t position)
{
    return position < flags.size() && flags[position] == u'1';
}

} // namespace

JobWords JobWords::parse(std::string_view list, std::vector<ListProblem>& problems)
{
    JobWords words;
    std::array<bool, kJobs> listed{};
    content::forEachLine(list, [&](std::size_t lineNumber, std::string_view line) {
        if (line.empty() || line.starts_with('#'))
            return true;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            problems.push_back({lineNumber, "no TAB between the job type and its words"});
            return true;
        }
        const std::string_view caption = line.substr(0, tab);
        const std::size_t job = jobNamed(caption);
        if (job == kAllJobs) {
            problems.push_back({lineNumber, "\"" + std::string(caption) +
                                                "\" is no job type of the strengths page"});
            return true;
        }
        if (listed[job]) {
            problems.push_back({lineNumber, "\"" + std::string(caption) + "\" is listed twice"});
            return true;
        }
        listed[job] = true;
        std::string_view rest = line.substr(tab + 1);
        while (!rest.empty()) {
            const std::size_t space = rest.find(' ');
            const std::string_view word = rest.substr(0, space);
            rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
            if (word.empty())
                continue;
            std::u16string text = decoded(word);
            if (text.empty()) {
                problems.push_back({lineNumber, "a word is not valid UTF-8"});
                continue;
            }
            words.words_[job].push_back(std::move(text));
        }
        if (words.words_[job].empty())
            problems.push_back({lineNumber, "no words after the TAB"});
        return true;
    });
    for (std::size_t job = 0; job < kJobs; ++job) {
        if (!listed[job])
            problems.push_back({0, "no line for the job type \"" +
                                       content::toUtf8(kJobTypes[job].caption) + "\""});
    }
    return words;
}

bool JobWords::namesJob(std::size_t job, std::u16string_view sentence) const
{
    return job < kJobs && std::ranges::any_of(words_[job], [&](const std::u16string& word) {
               return sentence.find(word) != std::u16string_view::npos;
           });
}

std::vector<std::string> jobWordProblems(std::u16string_view flags, std::u16string_view sentence,
                                         const JobWords& words)
{
    if (flagged(flags, kAllJobs))
        return {};
    std::size_t job = kAllJobs;
    for (std::size_t p = 0; p < kAllJobs; ++p) {
        if (!flagged(flags, p))
            continue;
        if (job != kAllJobs)
            return {}; // written for more than one job type
        job = p;
    }
    if (job == kAllJobs || words.namesJob(job, sentence))
        return {};
    const std::string caption = content::toUtf8(kJobTypes[job].caption);
    return {"flags only the job type " + caption + " (" + std::to_string(job) +
            ") but names nothing of it: a sentence for any workplace carries 全ての職種 (9) and "
            "every job type 0-8"};
}

} // namespace pack
