// SDL keys to the virtual-key codes the window system expects.
#pragma once

#include <SDL.h>

namespace nuvik::host {

// The virtual-key code of a key, or -1 for a key the runner does not pass on. Letters and
// digits follow the keyboard layout, falling back to the key's position when the layout
// gives no Latin letter or digit there.
int VirtualKeyFromSdl(const SDL_Keysym& key);

}  // namespace nuvik::host
