#include "win32/platform/Diagnostics.h"

#include <cstdio>
#include <cstring>

#include "CodePages.h"
#include "win32/platform/Clock.h"

namespace win32::diagnostics {

namespace {

struct Records {
    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<std::string> traceLines;
};

Records& TheRecords() {
    static Records records;
    return records;
}

std::string_view View(const char* text) {
    return text == nullptr ? std::string_view() : std::string_view(text, std::strlen(text));
}

// Standard error gets each entry on its own line; the carriage return of a "\r\n" line end
// would only garble a terminal.
std::string ForTerminal(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

void RecordMessageBox(const char* caption, const char* text) {
    MessageBoxRecord record;
    record.caption = codepages::EncodeUtf8(codepages::DecodeCp949(View(caption)));
    record.text = codepages::EncodeUtf8(codepages::DecodeCp949(View(text)));
    record.atMs = clock::Now();
    std::fprintf(stderr, "[message box at %lu ms] %s: %s\n",
                 static_cast<unsigned long>(record.atMs), record.caption.c_str(),
                 ForTerminal(record.text).c_str());
    TheRecords().messageBoxes.push_back(std::move(record));
}

const std::vector<MessageBoxRecord>& MessageBoxes() {
    return TheRecords().messageBoxes;
}

void RecordTrace(const char* text) {
    std::string line = codepages::EncodeUtf8(codepages::DecodeCp949(View(text)));
    std::fprintf(stderr, "[trace] %s\n", ForTerminal(line).c_str());
    TheRecords().traceLines.push_back(std::move(line));
}

const std::vector<std::string>& TraceLines() {
    return TheRecords().traceLines;
}

void Clear() {
    TheRecords().messageBoxes.clear();
    TheRecords().traceLines.clear();
}

std::string Cp949ToUtf8(const std::string& cp949) {
    return codepages::EncodeUtf8(codepages::DecodeCp949(cp949));
}

std::string Utf8ToCp949(const std::string& utf8) {
    return codepages::EncodeCp949(codepages::DecodeUtf8(utf8));
}

std::u32string DecodeCp949(const char* text, int length) {
    if (text == nullptr || length <= 0)
        return {};
    return codepages::DecodeCp949(std::string_view(text, static_cast<std::size_t>(length)));
}

}  // namespace win32::diagnostics
