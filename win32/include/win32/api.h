// The one header the system includes for the platform. On Windows it is the real Win32,
// COM and DirectDraw API; elsewhere the subset that this project's win32 library provides.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <ddraw.h>
#include <mmsystem.h>
#include <objbase.h>
#include <windows.h>
#include <windowsx.h>
#else
#include "win32/constants.h"
#include "win32/ddraw.h"
#include "win32/gdi.h"
#include "win32/kernel.h"
#include "win32/types.h"
#include "win32/user.h"
#endif
