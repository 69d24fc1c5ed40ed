// The slider's two cursors, 32 x 32 at 1 bit per pixel: a pointing hand and a grasping hand,
// black outline and white fill.
#pragma once

#include "tools/Bytes.h"
#include "tools/IconFiles.h"

namespace nuvik::tools {

struct HandCursor {
    const char* name;  // resource name, also the file's stem
    MaskedImage image;
    int hotX;
    int hotY;
};

HandCursor MakePointingHandCursor();  // "KW_HANDCUR", hot spot at the fingertip (6, 16)
HandCursor MakeGraspingHandCursor();  // "KW_DRAGCUR", hot spot in the fist (15, 16)
Bytes EncodeHandCursor(const HandCursor& cursor);

}  // namespace nuvik::tools
