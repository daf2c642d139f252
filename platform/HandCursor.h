#pragma once
// The hand cursor over places that act like buttons. While a mouse input passes the dialogs'
// pre-filters, any of them may ask for the hand; when none does, the usual cursor comes back.

namespace platform {

void requestHandCursor();
// Called around the pre-filters of one mouse input.
void beginCursorRequests();
void endCursorRequests();
bool handCursorShown();

} // namespace platform
