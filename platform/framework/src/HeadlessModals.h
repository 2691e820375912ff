// Internal: modals where nobody can see them.
#pragma once

namespace orbel {

// True on the toolkit's offscreen or minimal platform, where a modal shown
// would wait for ever: message boxes then go to standard error with their
// default button and other modals are cancelled.
bool NobodyToAnswerModals();

}  // namespace orbel
