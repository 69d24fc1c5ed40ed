// user entry points of the subset. Never included on Windows.
#pragma once

#include "win32/constants.h"
#include "win32/types.h"
