#pragma once

namespace platform {

// Shows the hand over the whole program while on, the usual cursors while off.
void setHandCursor(bool on);
bool handCursorShown();

} // namespace platform
