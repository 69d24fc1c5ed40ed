#include "host/Report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using nuvik::host::JsonString;
using nuvik::host::ReportJson;
using nuvik::host::RunReport;
using nuvik::host::WriteReport;

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(RunnerReport, StringsAreEscapedForJson) {
    struct Case {
        std::string text;
        std::string json;
    } cases[] = {
        {"", "\"\""},
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\path", "\"C:\\\\path\""},
        {"line\r\n", "\"line\\r\\n\""},
        {"a\tb\bc\fd", "\"a\\tb\\bc\\fd\""},
        {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
        {std::string("nul\0in", 6), "\"nul\\u0000in\""},
        {"/ stays", "\"/ stays\""},
        // Korean text passes through as UTF-8.
        {"오류", "\"오류\""},
        {"다이렉트 X 8.0 이상에서만 실행됩니다.", "\"다이렉트 X 8.0 이상에서만 실행됩니다.\""},
        {"\"오류\"\n", "\"\\\"오류\\\"\\n\""},
        {"emoji \xF0\x9F\x98\x80", "\"emoji \xF0\x9F\x98\x80\""},
        // Bytes that are not UTF-8 would make the whole report unreadable.
        {"\xFF", "\"" + kReplacement + "\""},
        {"a\xB0"
         "b",
         "\"a" + kReplacement + "b\""},
        {"\xEC\x98", "\"" + kReplacement + kReplacement + "\""},
        {"\xC0\xAF", "\"" + kReplacement + kReplacement + "\""},
        {"\xED\xA0\x80", "\"" + kReplacement + kReplacement + kReplacement + "\""},
        {"\xF4\x90\x80\x80",
         "\"" + kReplacement + kReplacement + kReplacement + kReplacement + "\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JsonString(c.text), c.json) << c.text;
}

TEST(RunnerReport, TheReportHasEveryFieldInItsOrder) {
    RunReport report;
    report.exitCode = 0;
    report.framesPresented = 123;
    report.frameStep = 9999;
    report.targetFps = 35;
    report.shownFps = {0, 35, 34};
    report.frameIntervals = {70, 28, 29, 31};
    report.messageBoxes = {{"오류", "다이렉트 X 8.0 이상에서만 실행됩니다.", 7},
                           {"_DDRAW()::Create()", "a \"quoted\"\nline", 1500}};
    report.trace = {"DirectX 8.1 found\r\n"};
    EXPECT_EQ(ReportJson(report),
              "{\"exit_code\": 0, \"frames_presented\": 123, \"frame_step\": 9999, "
              "\"target_fps\": 35, \"shown_fps\": [0, 35, 34], \"frame_interval_ms\": {\"count\": "
              "70, \"p50\": 28, \"p99\": 29, \"max\": 31}, \"message_boxes\": "
              "[{\"caption\": \"오류\", \"text\": \"다이렉트 X 8.0 이상에서만 실행됩니다.\", "
              "\"at_ms\": 7}, {\"caption\": \"_DDRAW()::Create()\", \"text\": \"a "
              "\\\"quoted\\\"\\nline\", \"at_ms\": 1500}], \"trace\": [\"DirectX 8.1 "
              "found\\r\\n\"]}\n");
}

TEST(RunnerReport, AnEmptyRunGivesEmptyListsAndNoIntervals) {
    RunReport report;
    report.exitCode = 2;
    EXPECT_EQ(ReportJson(report),
              "{\"exit_code\": 2, \"frames_presented\": 0, \"frame_step\": 0, \"target_fps\": 0, "
              "\"shown_fps\": [], \"message_boxes\": [], \"trace\": []}\n");
}

TEST(RunnerReport, AnotherPaceIsReportedWithTheFramesPerHostSecond) {
    RunReport report;
    report.speed = 2;
    report.presentedPerHostSecond = 71.54;
    EXPECT_NE(ReportJson(report).find(
                  "\"shown_fps\": [], \"speed\": 2, \"presented_per_second\": 71.5, "),
              std::string::npos)
        << ReportJson(report);
    report.speed = 1;
    EXPECT_EQ(ReportJson(report).find("speed"), std::string::npos);
}

TEST(RunnerReport, WritingPutsTheJsonInTheFileOrSaysWhyNot) {
    RunReport report;
    report.framesPresented = 5;
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / "nuvik-host-report-test.json";
    std::string error;
    ASSERT_TRUE(WriteReport(report, path.string(), &error)) << error;
    std::ifstream file(path);
    std::stringstream contents;
    contents << file.rdbuf();
    EXPECT_EQ(contents.str(), ReportJson(report));
    std::filesystem::remove(path);

    EXPECT_FALSE(WriteReport(report, "/nonexistent/dir/r.json", &error));
    EXPECT_EQ(error, "cannot write report /nonexistent/dir/r.json: No such file or directory");

    // A full disk shows only when the buffered bytes are flushed at the close.
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(WriteReport(report, "/dev/full", &error));
        EXPECT_EQ(error, "cannot write report /dev/full: No space left on device");
    }
}

}  // namespace
