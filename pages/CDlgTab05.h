#pragma once
// The outside activities page: three field groups opened by their headers like an accordion,
// one field chosen in the open group's panel, each group remembering where its result was
// scrolled to; a keyword over all three contents; eight buttons that open the lists of
// qualification names. Six sentences at a time.

#include "FieldPanel.h"
#include "ThreeContentPage.h"
#include "platform/MessageMap.h"

#include <array>

class CDlgTab05 : public platform::MappedDialog<CDlgTab05, pages::ThreeContentPage> {
public:
    explicit CDlgTab05(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab05> messageMap;

    void ClearAllChecks() override;

    struct Header {
        int left = 0;
        int top = 0;
        int height = 0;
    };
    static constexpr std::array<int, 3> kHeaderIds = {1109, 1110, 1111}; // groups 11, 12, 13

    // The group whose header was clicked last: 0 until the first click, then 11, 12 or 13.
    int currentGroup = 0;
    std::array<int, 3> groupScrollPos{};
    // The field panels of groups 11, 12 and 13: activities outside school, future work,
    // volunteer activities.
    std::array<pages::FieldPanel, 3> panels;

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(const platform::InputMessage& input) override;
    int RestoredScrollPosition() override;
    void FirstMatchesShown(int first) override;
    void MatchesScrolled(int position) override;

private:
    void OnHeaderClicked(const platform::Message& message);
    void OnGroupCommand(const platform::Message& message);
    void OnQualificationClicked(const platform::Message& message);
    void OnBackgroundClicked();
    void OpenGroup(int group);
    void RunGroupFilter(int group, bool resetPosition);
    void PlacePanels();
    void OrderPanelsAfterHeaders();
    void MoveHeader(int index, QPoint to);
    pages::FieldPanel& panel(int group);
    int panelRadioIndex(int group);
    int* savedPosition(); // of the current group, or null before the first header click

    std::array<Header, 3> headers;
};
