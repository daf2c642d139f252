#pragma once
// The display values of the two pages that show six sentences at a time.

#include "SentencePage.h"

namespace pages {

inline PageLook sixBoxLook(QColor pale, int bandTop)
{
    return {6,
            {1037, 1038, 1039, 1040, 1041, 1043},
            pale,
            {
                {{0, 0, 440, 630}, pale},
                {{449, 8, 600, 22}, QColor(51, 51, 51)},
                {{3, bandTop, 432, 40}, QColor(127, 157, 185)},
            }};
}

} // namespace pages
