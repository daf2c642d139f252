#pragma once
// Fonts asked for by their Japanese desktop names, with the IPA fonts as stand-ins where those
// are missing; sizes in points at 96 DPI, so every screen lays the pages out alike.

#include <QFont>

namespace platform {

enum class FontFace {
    Gothic,             // "ＭＳ ゴシック", fixed pitch
    ProportionalGothic, // "ＭＳ Ｐゴシック"
    UiGothic,           // "MS UI Gothic", the dialog font
};

QFont pointFont(FontFace face, double points);
QFont dialogFont(); // "MS UI Gothic" 9 pt

// Reads the system's font configuration (its files and the list of fonts), which the toolkit
// would otherwise read the first time it measures a text, just before a window can show. It
// may run on any thread, before the application object exists too (see platform/WorkAhead.h).
void readFontConfiguration();

} // namespace platform
