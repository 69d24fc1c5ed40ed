#include "host/Report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace nuvik::host {

namespace {

// The length of the well-formed UTF-8 sequence starting at `at`, or 0 when it is malformed
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    }
    return length;
}

void AppendEscaped(std::string* out, char c) {
    static const char kHex[] = "0123456789abcdef";
    switch (c) {
        case '"':
            *out += "\\\"";
            return;
        case '\\':
            *out += "\\\\";
            return;
        case '\n':
            *out += "\\n";
            return;
        case '\r':
            *out += "\\r";
            return;
        case '\t':
            *out += "\\t";
            return;
        case '\b':
            *out += "\\b";
            return;
        case '\f':
            *out += "\\f";
            return;
        default:
            break;
    }
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
        *out += "\\u00";
        *out += kHex[byte >> 4];
        *out += kHex[byte & 0xF];
        return;
    }
    *out += c;
}

template <typename T, typename Fn>
std::string JsonArray(const std::vector<T>& items, Fn&& write) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += write(items[i]);
    }
    out += "]";
    return out;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
        } else if (length == 1) {
            AppendEscaped(&out, text[at]);
            ++at;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    out += "\"";
    return out;
}

std::string ReportJson(const RunReport& report) {
    std::string out = "{";
    out += "\"exit_code\": " + std::to_string(report.exitCode);
    out += ", \"frames_presented\": " + std::to_string(report.framesPresented);
    out += ", \"frame_step\": " + std::to_string(report.frameStep);
    out += ", \"target_fps\": " + std::to_string(report.targetFps);
    out += ", \"shown_fps\": " +
           JsonArray(report.shownFps, [](int value) { return std::to_string(value); });
    // Only a run that presented two frames or more has intervals to speak of.
    const FrameIntervalSummary& intervals = report.frameIntervals;
    if (intervals.count > 0)
        out += ", \"frame_interval_ms\": {\"count\": " + std::to_string(intervals.count) +
               ", \"p50\": " + std::to_string(intervals.p50) +
               ", \"p99\": " + std::to_string(intervals.p99) +
               ", \"max\": " + std::to_string(intervals.max) + "}";
    if (report.speed != 1.0) {
        char pace[96];
        std::snprintf(pace, sizeof pace, ", \"speed\": %g, \"presented_per_second\": %.1f",
                      report.speed, report.presentedPerHostSecond);
        out += pace;
    }
    out +=
        ", \"message_boxes\": " + JsonArray(report.messageBoxes, [](const ReportedMessageBox& box) {
            return "{\"caption\": " + JsonString(box.caption) +
                   ", \"text\": " + JsonString(box.text) +
                   ", \"at_ms\": " + std::to_string(box.atMs) + "}";
        });
    out += ", \"trace\": " +
           JsonArray(report.trace, [](const std::string& line) { return JsonString(line); });
    if (const auto& crash = report.crash) {
        out +=
            ", \"crash\": {\"signal\": " + JsonString(crash->signal) +
            ", \"what\": " + JsonString(crash->description) +
            ", \"frame_step\": " + std::to_string(crash->frameStep) +
            ", \"tick\": " + std::to_string(crash->tick) +
            ", \"frames_presented\": " + std::to_string(crash->framesPresented) +
            ", \"backtrace\": " +
            JsonArray(crash->backtrace, [](const std::string& line) { return JsonString(line); }) +
            "}";
    }
    out += "}\n";
    return out;
}

bool WriteReport(const RunReport& report, const std::string& path, std::string* error) {
    std::string json = ReportJson(report);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        *error = "cannot write report " + path + ": " + std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(json.data(), 1, json.size(), file) == json.size();
    int writeError = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        writeError = errno;
    }
    if (!written) {
        *error = "cannot write report " + path + ": " + std::strerror(writeError);
        return false;
    }
    return true;
}

}  // namespace nuvik::host
