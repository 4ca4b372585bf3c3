#pragma once

namespace kelvra {

// Sends Ctrl+Alt+X to the active window and returns without waiting for it to be handled.
// Returns false where this desktop offers no way to synthesise keys (no X display, no XTest,
// a Wayland session without XWayland).
bool sendSaveChord();

}  // namespace kelvra
