// What the system said to the user and to the debugger, kept for tests and the runner's
// report. Every entry is also written to standard error in UTF-8.
#pragma once

#include <string>
#include <vector>

#include "win32/types.h"

namespace win32::diagnostics {

struct MessageBoxRecord {
    std::string caption;  // UTF-8, decoded from CP949
    std::string text;     // UTF-8, decoded from CP949
    DWORD atMs = 0;       // timeGetTime when the box appeared
};

// Records a message box (caption and text as the caller passed them, CP949) and writes it to
// standard error. MessageBoxA calls this before it shows the box.
void RecordMessageBox(const char* caption, const char* text);
const std::vector<MessageBoxRecord>& MessageBoxes();

// OutputDebugStringA's lines, decoded to UTF-8, in order.
void RecordTrace(const char* text);
const std::vector<std::string>& TraceLines();

void Clear();

// CP949 bytes to UTF-8 (undecodable bytes become U+FFFD) and back (unmappable code points
// become '?'). Used wherever the system's texts meet the outside world.
std::string Cp949ToUtf8(const std::string& cp949);
std::string Utf8ToCp949(const std::string& utf8);
// CP949 bytes to Unicode code points, for text rendering.
std::u32string DecodeCp949(const char* text, int length);

}  // namespace win32::diagnostics
