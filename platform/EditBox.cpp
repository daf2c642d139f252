#include "EditBox.h"

#include <algorithm>

namespace platform {

QRect EditBox::formattingRect() const
{
    return viewport()->geometry();
}

void EditBox::setFormattingRect(const QRect& rect)
{
    // The viewport without margins is the most the text can be laid out in.
    const QRect widest = formattingRect().marginsAdded(viewportMargins());
    setViewportMargins(std::max(0, rect.left() - widest.left()),
                       std::max(0, rect.top() - widest.top()),
                       std::max(0, widest.right() - rect.right()),
                       std::max(0, widest.bottom() - rect.bottom()));
}

} // namespace platform
