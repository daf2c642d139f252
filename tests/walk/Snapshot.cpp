#include "Snapshot.h"

#include "WindowIds.h"

#include <QString>
#include <map>

namespace walk {

namespace {

const std::array<std::string, 3> kPageNames = {"strengths", "in-school", "outside"};

void addDisplay(Snapshot& snapshot, const std::string& page, const DisplayModel& display)
{
    snapshot.emplace_back(page + " count", countText(display.count));
    for (std::size_t k = 0; k < display.boxes.size(); ++k)
        snapshot.emplace_back(page + " box " + std::to_string(k), utf8(display.boxes[k]));
    snapshot.emplace_back(page + " scroll bar",
                          scrollText(0, display.rangeMax, display.position, display.barEnabled));
}

void addStrengths(Snapshot& snapshot, const StrengthsModel& page)
{
    addDisplay(snapshot, kPageNames[0], page.display);
    snapshot.emplace_back("strengths job type", std::to_string(page.jobType));
    for (std::size_t k = 0; k < ids::kStrengthsBoxes.size(); ++k)
        snapshot.emplace_back("strengths box " + std::to_string(ids::kStrengthsBoxes[k]),
                              buttonText(page.checked[k], page.enabled[k]));
}

void addInSchool(Snapshot& snapshot, const InSchoolModel& page)
{
    addDisplay(snapshot, kPageNames[1], page.display);
    snapshot.emplace_back("in-school activity", std::to_string(page.activity));
    for (std::size_t p = 0; p < ids::kClubBoxes.size(); ++p)
        snapshot.emplace_back("in-school club box " + std::to_string(ids::kClubBoxes[p]),
                              buttonText(page.checked[p], page.enabled[p]));
    for (const ids::BoxLabels& labels : ids::kBoxLabels) {
        const bool usable = page.enabled[static_cast<std::size_t>(labels.position)];
        snapshot.emplace_back("in-school label " + std::to_string(labels.label), shownText(usable));
        snapshot.emplace_back("in-school grey label " + std::to_string(labels.greyLabel),
                              shownText(!usable));
    }
}

void addOutside(Snapshot& snapshot, const OutsideModel& page, const OutsideLayout& layout)
{
    addDisplay(snapshot, kPageNames[2], page.display);
    for (int group = 11; group <= 13; ++group) {
        const std::size_t g = static_cast<std::size_t>(group - 11);
        snapshot.emplace_back("outside panel " + std::to_string(group),
                              shownText(page.openGroup == group) + ", field " +
                                  std::to_string(page.field[g]));
        // Each panel lies 10 pixels below its own header as the template places it.
        const QPoint home = layout.headerHome[g];
        snapshot.emplace_back("outside panel " + std::to_string(group) + " at",
                              pointText({5, home.y() + layout.headerHeight + 10}));
    }
    // The headers below the open group's panel slide down by its height and 5 pixels.
    std::array<QPoint, 3> at = layout.headerHome;
    if (page.openGroup == 11) {
        at[1] = {0, layout.headerHome[1].y() + layout.panelHeight[0] + 5};
        at[2] = {0, layout.headerHome[2].y() + layout.panelHeight[0] + 5};
    } else if (page.openGroup == 12) {
        at[2] = {0, layout.headerHome[2].y() + layout.panelHeight[1] + 5};
    }
    for (std::size_t i = 0; i < 3; ++i)
        snapshot.emplace_back("outside header " + std::to_string(ids::kHeaders[i]) + " at",
                              pointText(at[i]));
}

} // namespace

std::string utf8(const Text& text)
{
    return QString::fromStdU16String(text).toStdString();
}

std::string countText(int count)
{
    return std::to_string(count) + " 件";
}

std::string scrollText(int minimum, int maximum, int value, bool usable)
{
    return "range " + std::to_string(minimum) + ".." + std::to_string(maximum) + ", at " +
           std::to_string(value) + (usable ? ", usable" : ", unusable");
}

std::string buttonText(bool checked, bool enabled)
{
    return std::string(checked ? "checked" : "unchecked") + (enabled ? ", enabled" : ", disabled");
}

std::string shownText(bool shown)
{
    return shown ? "shown" : "hidden";
}

std::string pointText(QPoint point)
{
    return std::to_string(point.x()) + "," + std::to_string(point.y());
}

std::string messageText(int page, const Text& text, const Text& caption)
{
    return "owner page " + std::to_string(page) + ": \"" + utf8(text) + "\", caption \"" +
           utf8(caption) + "\"";
}

Snapshot expectedSnapshot(const WindowModel& model, const OutsideLayout& layout,
                          const std::string& documentFolder)
{
    Snapshot snapshot;
    snapshot.emplace_back("tab", std::to_string(model.tab));
    snapshot.emplace_back("keyword box", utf8(model.keywordBox.text));
    snapshot.emplace_back("keyword box has the focus", model.keywordBox.focused ? "yes" : "no");
    snapshot.emplace_back("messages", std::to_string(model.keywordBox.messages));
    snapshot.emplace_back("last message", model.keywordBox.lastMessagePage < 0
                                              ? std::string()
                                              : messageText(model.keywordBox.lastMessagePage,
                                                            u"キーワードを入力してください", u""));
    snapshot.emplace_back("documents", std::to_string(model.documents.size()));
    snapshot.emplace_back("last document", model.documents.empty()
                                               ? std::string()
                                               : documentFolder + model.documents.back());
    addStrengths(snapshot, model.strengths);
    addInSchool(snapshot, model.inSchool);
    addOutside(snapshot, model.outside, layout);
    return snapshot;
}

std::string differences(const Snapshot& expected, const Snapshot& seen)
{
    std::map<std::string, std::string> seenByName(seen.begin(), seen.end());
    std::string report;
    for (const auto& [name, value] : expected) {
        const auto found = seenByName.find(name);
        const std::string shown = found == seenByName.end() ? "(not read)" : found->second;
        if (shown != value)
            report += "  " + name + ": expected \"" + printable(value) + "\", seen \"" +
                      printable(shown) + "\"\n";
    }
    return report;
}

std::string printable(const std::string& value)
{
    std::string out;
    for (const char c : value) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

} // namespace walk
