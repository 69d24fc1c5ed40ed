// The program's icon: the white handheld console, 32 x 32 at 16 colours.
#pragma once

#include "tools/Bytes.h"
#include "tools/IconFiles.h"

namespace nuvik::tools {

MaskedImage MakeConsoleIcon();
Bytes EncodeConsoleIcon(const MaskedImage& icon);

}  // namespace nuvik::tools
