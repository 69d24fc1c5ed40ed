// The program's built-in resources: the console picture, the slider's bitmaps and cursors, the
// icon and the main window's form.
#pragma once

namespace nuvik::assets {

// Puts every resource of assets/resources.txt into the resource table that FindResourceA and
// the loaders read; call it once at start-up, before the first window is made. On Windows the
// executable carries its resources itself and this does nothing.
void RegisterAll();

}  // namespace nuvik::assets
