#include "Synonyms.h"

#include "Folding.h"
#include "Utf8.h"

namespace content {

Synonyms Synonyms::parse(std::string_view list, std::vector<ListProblem>& problems)
{
    Synonyms synonyms;
    std::size_t number = 0;
    while (!list.empty()) {
        const std::size_t end = list.find('\n');
        std::string_view line = list.substr(0, end);
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::u16string> group;
        std::string problem;
        for (std::string_view rest = line; problem.empty();) {
            const std::size_t tab = rest.find('\t');
            const std::string_view field = rest.substr(0, tab);
            std::u16string word;
            if (field.empty() || field.front() == ' ' || field.back() == ' ')
                problem = "an empty word, or one with a space at an end";
            else if (!toUtf16(field, word))
                problem = "a word that is not UTF-8";
            else if (synonyms.groupOf_.contains(foldUnits(word)))
                problem = "\"" + std::string(field) + "\" is in an earlier group";
            else
                group.push_back(std::move(word));
            if (tab == std::string_view::npos)
                break;
            rest = rest.substr(tab + 1);
        }
        if (problem.empty() && group.size() < 2)
            problem = "a group of one word";
        for (std::size_t i = 0; problem.empty() && i < group.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (foldUnits(group[i]) == foldUnits(group[j]))
                    problem = "a word twice in its group";
            }
        }
        if (!problem.empty()) {
            problems.push_back({number, problem});
            continue;
        }
        for (const std::u16string& word : group)
            synonyms.groupOf_.emplace(foldUnits(word), synonyms.groups_.size());
        synonyms.groups_.push_back(std::move(group));
    }
    return synonyms;
}

std::vector<std::u16string> Synonyms::othersOf(std::u16string_view folded) const
{
    std::vector<std::u16string> others;
    const auto found = groupOf_.find(std::u16string(folded));
    if (found == groupOf_.end())
        return others;
    for (const std::u16string& word : groups_[found->second]) {
        if (foldUnits(word) != folded)
            others.push_back(word);
    }
    return others;
}

} // namespace content
