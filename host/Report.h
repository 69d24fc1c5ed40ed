// The JSON report a run writes at its end (--report): what the system did, for automation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <optional>

#include "host/FrameIntervals.h"
#include "host/ProcessSignals.h"

namespace nuvik::host {

struct ReportedMessageBox {
    std::string caption;  // UTF-8
    std::string text;     // UTF-8
    std::uint32_t atMs = 0;
};

struct RunReport {
    int exitCode = 0;
    long long framesPresented = 0;
    int frameStep = 0;
    int targetFps = 0;
    std::vector<int> shownFps;
    FrameIntervalSummary frameIntervals;  // ticks between presented frames
    // When the program's clock ran at another pace than the host's (--speed): the factor, and
    // how many frames were presented per second of the host's time.
    double speed = 1.0;
    double presentedPerHostSecond = 0.0;
    std::vector<ReportedMessageBox> messageBoxes;
    std::vector<std::string> trace;
    std::optional<CrashRecord> crash;  // only a run the program crashed has one
};

// `text` as a JSON string literal, quotes included. Control characters are escaped; a byte
// sequence that is not UTF-8 becomes U+FFFD so that the report always stays valid JSON.
std::string JsonString(std::string_view text);

// The report on one line, keys in a fixed order, followed by a newline.
std::string ReportJson(const RunReport& report);

bool WriteReport(const RunReport& report, const std::string& path, std::string* error);

}  // namespace nuvik::host
