// Windows loads the resources compiled into the executable (resources.rc) by itself.
#include "assets/Assets.h"

void nuvik::assets::RegisterAll() {}
