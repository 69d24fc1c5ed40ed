// Kernel, multimedia-timer and COM entry points of the subset. Never included on Windows.
#pragma once

#include "win32/types.h"

// ---- time, debugging, modules ---------------------------------------------------------------
DWORD timeGetTime();
void Sleep(DWORD milliseconds);
void OutputDebugStringA(LPCSTR text);

HMODULE LoadLibraryA(LPCSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
HMODULE GetModuleHandleA(LPCSTR name);  // null: the program itself

// ---- resources (over the table that the build embeds) ---------------------------------------
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);

// ---- code pages: CP_ACP is the Korean code page 949 ------------------------------------------
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                        int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR text,
                        int length, LPCSTR defaultChar, LPBOOL usedDefault);
int MulDiv(int number, int numerator, int denominator);

// ---- COM ------------------------------------------------------------------------------------
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                         LPVOID* object);
