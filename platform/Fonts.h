#pragma once
// Fonts asked for by their Japanese desktop names, with the IPA fonts as stand-ins where those
// are missing; sizes in points at 96 DPI, so every screen lays the pages out alike.

#include <QFont>

namespace platform {

enum class FontFace {
    Gothic,            // "ＭＳ ゴシック", fixed pitch
    ProportionalGothic, // "ＭＳ Ｐゴシック"
    UiGothic,          // "MS UI Gothic", the dialog font
};

QFont pointFont(FontFace face, double points);
QFont dialogFont(); // "MS UI Gothic" 9 pt

} // namespace platform
