#pragma once
// The toolkit's own texts (the standard menu of an edit box, the buttons of its boxes) in
// Japanese, like every text the program shows, whatever the desktop's language.

namespace platform {

// Loads the toolkit's Japanese translations once. False when they are not installed (they come
// with the system's translations package): the toolkit then keeps its English texts.
bool installToolkitTranslations();

} // namespace platform
