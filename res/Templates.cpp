#include "Templates.h"

#include "BuiltPictures.h"
#include "Pictures.h"
#include "content/Categories.h"

#include <initializer_list>
#include <map>
#include <span>
#include <stdexcept>
#include <utility>

using namespace platform;
using content::CategoryBox;
using content::kClubBoxes;
using content::kFutureWorkBoxes;
using content::kInSchoolBoxes;
using content::kOutsideBoxes;
using content::kSchoolEventBoxes;
using content::kStrengthsBoxes;
using content::kVolunteerBoxes;

namespace res {

namespace {

using C = ControlClass;

// The caption of the category box with this id.
std::u16string_view captionOf(std::span<const CategoryBox> table, int id)
{
    for (const CategoryBox& box : table) {
        if (box.id == id)
            return box.caption;
    }
    throw std::logic_error("no category box " + std::to_string(id));
}

// A caption of a template table: written out, or, for a category box, the category table of its
// content, which holds the caption under the control's id.
struct Caption {
    Caption(const char16_t* text) : text(text) {}
    Caption(std::u16string_view text) : text(text) {}
    template <std::size_t N> Caption(const CategoryBox (&table)[N]) : table(table) {}

    std::u16string_view text;
    std::span<const CategoryBox> table;
};

// A row of a page's template table, as a ControlTemplate but for its caption.
struct Row {
    int id;
    ControlClass controlClass;
    unsigned style;
    QRect rect;
    Caption caption;
    int bitmap = 0;
};

std::vector<ControlTemplate> controls(std::initializer_list<Row> rows)
{
    std::vector<ControlTemplate> built;
    for (const Row& row : rows) {
        const std::u16string_view caption =
            row.caption.table.empty() ? row.caption.text : captionOf(row.caption.table, row.id);
        built.push_back(
            {row.id, row.controlClass, row.style, row.rect, std::u16string(caption), row.bitmap});
    }
    return built;
}

// clang-format off

// The large boxes of the first page scroll on their own; the six smaller boxes of the other
// pages show a whole sentence without one.
constexpr unsigned kResultBox = Multiline | ReadOnly | VScroll | Border | TabStop;
constexpr unsigned kSmallResultBox = Multiline | ReadOnly | Border | TabStop;
constexpr unsigned kPicture = None;

DialogTemplate withPictures(DialogTemplate dialog)
{
    dialog.loadPicture = &bitmap;
    dialog.pictureSize = &bitmapSize;
    dialog.pictureCaption = &bitmapCaption;
    return dialog;
}

DialogTemplate mainWindow()
{
    return withPictures({102, {565, 440}, {
    //   id    class           style                     rectangle              caption
        {1,    C::PushButton,  DefaultButton | TabStop,  {532, 2, 32, 17},      u"終了"},
        {1000, C::TabControl,  None,                     {1, 5, 565, 436},      u""},
        {1037, C::StaticBitmap, Notify,                  {450, 3, 78, 15},      u"", 216},
        {1038, C::StaticBitmap, Notify,                  {368, 3, 78, 15},      u"", 215},
        {1121, C::Edit,        Border | TabStop,         {222, 3, 116, 18},     u""},
        {1122, C::PushButton,  TabStop,                  {339, 3, 26, 18},      u"検索"},
    }});
}

DialogTemplate strengthsPage()
{
    return withPictures({152, {565, 420}, controls({
    //   id    class            style                  rectangle               caption, or its table
        {1037, C::Edit,         kResultBox,            {256, 25, 293, 125},    u""},
        {1038, C::Edit,         kResultBox,            {256, 155, 293, 125},   u""},
        {1039, C::Edit,         kResultBox,            {256, 285, 293, 125},   u""},
        {1033, C::ScrollBar,    Disabled | TabStop,    {550, 25, 11, 385},     u""},
        {1001, C::PushButton,   TabStop,               {81, 389, 87, 16},      u"全てのチェックを解除"},
        {-1,   C::StaticBitmap, kPicture,              {0, 5, 251, 17},        u"", 202},
        {-1,   C::StaticBitmap, kPicture,              {0, 130, 251, 17},      u"", 203},
        {-1,   C::StaticBitmap, kPicture,              {0, 255, 251, 17},      u"", 204},
        {1035, C::Static,       Group | RightAligned,  {530, 10, 24, 9},       u"0 件"},
        {1036, C::Static,       Group,                 {495, 10, 30, 9},       u"該当件数"},
        {1066, C::RadioButton,  Group,                 {14, 26, 100, 10},      kStrengthsBoxes},
        {1067, C::RadioButton,  None,                  {121, 26, 100, 10},     kStrengthsBoxes},
        {1068, C::RadioButton,  None,                  {14, 42, 100, 10},      kStrengthsBoxes},
        {1069, C::RadioButton,  None,                  {121, 42, 100, 10},     kStrengthsBoxes},
        {1070, C::RadioButton,  None,                  {14, 58, 100, 10},      kStrengthsBoxes},
        {1071, C::RadioButton,  None,                  {121, 58, 100, 10},     kStrengthsBoxes},
        {1072, C::RadioButton,  None,                  {14, 74, 100, 10},      kStrengthsBoxes},
        {1073, C::RadioButton,  None,                  {121, 74, 100, 10},     kStrengthsBoxes},
        {1074, C::RadioButton,  None,                  {14, 90, 100, 10},      kStrengthsBoxes},
        {1075, C::RadioButton,  None,                  {121, 90, 100, 10},     kStrengthsBoxes},
        {1053, C::CheckBox,     TabStop,               {14, 152, 100, 10},     kStrengthsBoxes},
        {1054, C::CheckBox,     TabStop,               {121, 152, 100, 10},    kStrengthsBoxes},
        {1055, C::CheckBox,     TabStop,               {14, 168, 100, 10},     kStrengthsBoxes},
        {1056, C::CheckBox,     TabStop,               {14, 184, 100, 10},     kStrengthsBoxes},
        {1057, C::CheckBox,     TabStop,               {121, 184, 100, 10},    kStrengthsBoxes},
        {1058, C::CheckBox,     TabStop,               {14, 200, 100, 10},     kStrengthsBoxes},
        {1059, C::CheckBox,     TabStop,               {121, 200, 100, 10},    kStrengthsBoxes},
        {1076, C::CheckBox,     TabStop,               {14, 216, 100, 10},     kStrengthsBoxes},
        {1077, C::CheckBox,     TabStop,               {121, 216, 100, 10},    kStrengthsBoxes},
        {1060, C::CheckBox,     TabStop,               {14, 278, 100, 10},     kStrengthsBoxes},
        {1061, C::CheckBox,     TabStop,               {121, 278, 100, 10},    kStrengthsBoxes},
        {1062, C::CheckBox,     TabStop,               {14, 294, 100, 10},     kStrengthsBoxes},
        {1063, C::CheckBox,     TabStop,               {121, 294, 100, 10},    kStrengthsBoxes},
        {1064, C::CheckBox,     TabStop,               {14, 310, 100, 10},     kStrengthsBoxes},
        {1065, C::CheckBox,     TabStop,               {121, 310, 100, 10},    kStrengthsBoxes},
        {1078, C::CheckBox,     TabStop,               {14, 326, 100, 10},     kStrengthsBoxes},
        {1079, C::CheckBox,     TabStop,               {121, 326, 100, 10},    kStrengthsBoxes},
        {1121, C::Edit,         Hidden | Border | TabStop, {372, 16, 141, 18}, u""},
        {1122, C::PushButton,   Hidden | TabStop,      {518, 16, 26, 18},      u"検索"},
    })});
}

// The result boxes, scroll bar, clear button, count and hidden keyword controls that the
// in-school and outside pages share, around the page's own controls.
std::vector<ControlTemplate> sixBoxPageControls()
{
    return {
        {1037, C::Edit,       kSmallResultBox,    {256, 25, 293, 61},   u""},
        {1038, C::Edit,       kSmallResultBox,    {256, 90, 293, 61},   u""},
        {1039, C::Edit,       kSmallResultBox,    {256, 155, 293, 61},  u""},
        {1040, C::Edit,       kSmallResultBox,    {256, 220, 293, 61},  u""},
        {1041, C::Edit,       kSmallResultBox,    {256, 285, 293, 61},  u""},
        {1043, C::Edit,       kSmallResultBox,    {256, 350, 293, 61},  u""},
        {1033, C::ScrollBar,  Disabled | TabStop, {550, 25, 11, 385},   u""},
    };
}

DialogTemplate inSchoolPage()
{
    DialogTemplate page = withPictures({153, {565, 420}, sixBoxPageControls()});
    const std::vector<ControlTemplate> own = controls({
    //   id    class            style                rectangle            caption, or its table
        {1001, C::PushButton,   TabStop,             {81, 389, 87, 16},   u"全てのチェックを解除"},
        {-1,   C::StaticBitmap, kPicture,            {0, 175, 13, 49},    u"", 214},
        {-1,   C::StaticBitmap, kPicture,            {0, 233, 13, 83},    u"", 211},
        {-1,   C::StaticBitmap, kPicture,            {0, 89, 251, 17},    u"", 206},
        {-1,   C::StaticBitmap, kPicture,            {0, 5, 251, 17},     u"", 205},
        {-1,   C::StaticBitmap, kPicture,            {0, 153, 251, 17},   u"", 207},
        {1035, C::Static,       RightAligned,        {530, 10, 24, 9},    u"0 件"},
        {1036, C::Static,       None,                {495, 10, 30, 9},    u"該当件数"},
        {1075, C::CheckBox,     TabStop,             {15, 179, 90, 10},   kClubBoxes},
        {1076, C::CheckBox,     TabStop,             {110, 179, 60, 10},  kClubBoxes},
        {1077, C::CheckBox,     TabStop,             {15, 195, 90, 10},   kClubBoxes},
        {1078, C::CheckBox,     TabStop,             {110, 195, 60, 10},  kClubBoxes},
        {1079, C::CheckBox,     TabStop,             {15, 211, 90, 10},   kClubBoxes},
        {1080, C::CheckBox,     TabStop,             {110, 211, 60, 10},  kClubBoxes},
        {1081, C::CheckBox,     TabStop,             {15, 237, 90, 10},   kClubBoxes},
        {1082, C::CheckBox,     TabStop,             {110, 237, 60, 10},  kClubBoxes},
        {1083, C::CheckBox,     TabStop,             {15, 253, 90, 10},   kClubBoxes},
        {1084, C::CheckBox,     TabStop,             {110, 253, 60, 10},  kClubBoxes},
        {1085, C::CheckBox,     TabStop,             {15, 269, 90, 10},   kClubBoxes},
        {1086, C::CheckBox,     TabStop,             {110, 269, 60, 10},  kClubBoxes},
        {1087, C::CheckBox,     TabStop,             {15, 285, 90, 10},   kClubBoxes},
        {1088, C::CheckBox,     TabStop,             {110, 285, 60, 10},  kClubBoxes},
        {1089, C::CheckBox,     TabStop,             {15, 301, 90, 10},   kClubBoxes},
        {1090, C::CheckBox,     TabStop,             {110, 301, 60, 10},  kClubBoxes},
        // Two boxes without a caption of their own: the labels beside them show it.
        {1046, C::CheckBox,     TabStop,             {211, 213, 8, 10},   u""},
        {1047, C::CheckBox,     TabStop,             {211, 271, 8, 10},   u""},
        {1105, C::Static,       NoWrap | Notify,     {195, 204, 50, 10},  captionOf(kClubBoxes, 1046)},
        {1098, C::Static,       NoWrap | Notify,     {191, 262, 50, 10},  captionOf(kClubBoxes, 1047)},
        {1108, C::Static,       NoWrap | Hidden,     {195, 204, 50, 10},  captionOf(kClubBoxes, 1046)},
        {1109, C::Static,       NoWrap | Hidden,     {191, 262, 50, 10},  captionOf(kClubBoxes, 1047)},
        {1091, C::RadioButton,  Group,               {14, 26, 100, 10},   kSchoolEventBoxes},
        {1092, C::RadioButton,  None,                {125, 26, 100, 10},  kSchoolEventBoxes},
        {1093, C::RadioButton,  None,                {14, 110, 100, 10},  kInSchoolBoxes},
        {1094, C::RadioButton,  None,                {125, 110, 100, 10}, kInSchoolBoxes},
        {1121, C::Edit,         Hidden | Border | TabStop, {372, 16, 141, 18}, u""},
        {1122, C::PushButton,   Hidden | TabStop,    {518, 16, 26, 18},   u"検索"},
    });
    page.controls.insert(page.controls.end(), own.begin(), own.end());
    return page;
}

DialogTemplate outsidePage()
{
    DialogTemplate page = withPictures({154, {565, 420}, sixBoxPageControls()});
    const std::vector<ControlTemplate> own = {
        {1001, C::PushButton,   TabStop,             {81, 276, 87, 16},   u"全てのチェックを解除"},
        {1109, C::StaticBitmap, Notify,              {0, 5, 251, 17},     u"", 208},
        {1110, C::StaticBitmap, Notify,              {0, 25, 251, 17},    u"", 209},
        {1111, C::StaticBitmap, Notify,              {0, 45, 251, 17},    u"", 210},
        {1035, C::Static,       RightAligned,        {530, 10, 24, 9},    u"0 件"},
        {1036, C::Static,       None,                {495, 10, 30, 9},    u"該当件数"},
        {1121, C::Edit,         Hidden | Border | TabStop, {372, 16, 141, 18}, u""},
        {1122, C::PushButton,   Hidden | TabStop,    {518, 16, 26, 18},   u"検索"},
        {1107, C::Static,       WhiteRect,           {18, 308, 212, 100}, u""},
        {1097, C::PushButton,   TabStop,             {26, 333, 64, 16},   u"語学系"},
        {1099, C::PushButton,   TabStop,             {92, 333, 64, 16},   u"コンピュータ系"},
        {1100, C::PushButton,   TabStop,             {158, 333, 64, 16},  u"経理、金融系"},
        {1101, C::PushButton,   TabStop,             {26, 351, 124, 16},  u"ビジネス・経営・経済・法律系"},
        {1102, C::PushButton,   TabStop,             {26, 369, 94, 16},   u"芸術・服飾系"},
        {1103, C::PushButton,   TabStop,             {127, 369, 94, 16},  u"医療福祉系"},
        {1106, C::PushButton,   TabStop,             {26, 387, 94, 16},   u"工業系"},
        {1104, C::PushButton,   TabStop,             {127, 387, 94, 16},  u"教養・趣味・その他"},
        {-1,   C::StaticBitmap, kPicture,            {19, 309, 210, 18},  u"", 212},
    };
    page.controls.insert(page.controls.end(), own.begin(), own.end());
    return page;
}

// The field radio buttons of a sub-panel, each where it stands, captioned from the panel's
// category table: automatic radio buttons that report clicks, hidden until the panel is first
// shown, without tab stops; the first starts the group.
std::vector<ControlTemplate> fields(std::span<const CategoryBox> table,
                                    std::initializer_list<std::pair<int, QRect>> places)
{
    std::vector<ControlTemplate> fields;
    for (const auto& [id, rect] : places) {
        fields.push_back({id, C::RadioButton, Hidden | (id == 1003 ? Group : None), rect,
                          std::u16string(captionOf(table, id))});
    }
    return fields;
}

DialogTemplate outsideActivitiesPanel()
{
    return {147, {245, 20}, fields(kOutsideBoxes, {
        {1003, {15, 0, 100, 10}},
        {1004, {120, 0, 100, 10}},
    })};
}

DialogTemplate futureWorkPanel()
{
    return {155, {245, 164}, fields(kFutureWorkBoxes, {
        {1003, {15, 0, 100, 10}},
        {1004, {120, 0, 100, 10}},
        {1005, {15, 16, 100, 10}},
        {1006, {120, 16, 100, 10}},
        {1007, {15, 32, 100, 10}},
        {1008, {120, 32, 100, 10}},
        {1009, {15, 48, 100, 10}},
        {1010, {120, 48, 100, 10}},
        {1011, {15, 64, 100, 10}},
        {1012, {120, 64, 100, 10}},
        {1013, {15, 80, 100, 10}},
        {1014, {120, 80, 100, 10}},
        {1015, {15, 96, 100, 10}},
        {1016, {15, 112, 200, 10}},
        {1017, {15, 128, 200, 10}},
        {1018, {15, 144, 200, 10}},
    })};
}

DialogTemplate volunteerPanel()
{
    return {156, {245, 52}, fields(kVolunteerBoxes, {
        {1003, {15, 0, 100, 10}},
        {1004, {120, 0, 100, 10}},
        {1005, {15, 16, 100, 10}},
        {1006, {120, 16, 100, 10}},
        {1007, {15, 32, 100, 10}},
        {1008, {120, 32, 100, 10}},
    })};
}

} // namespace

const DialogTemplate& dialogTemplate(int id)
{
    static const std::map<int, DialogTemplate> templates = {
        {102, mainWindow()},
        {152, strengthsPage()},
        {153, inSchoolPage()},
        {154, outsidePage()},
        {147, outsideActivitiesPanel()},
        {155, futureWorkPanel()},
        {156, volunteerPanel()},
    };
    const auto found = templates.find(id);
    if (found == templates.end())
        throw std::out_of_range("no dialog template " + std::to_string(id));
    return found->second;
}

// clang-format on

} // namespace res
