#include "host/Runner.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/InputSink.h"
#include "host/Options.h"
#include "host/ProcessSignals.h"
#include "host/Report.h"
#include "host/RunSession.h"
#include "host/RunnerControls.h"
#include "host/ScreenCapture.h"
#include "host/Script.h"
#include "host/WindowHost.h"
#include "host/headless/HeadlessHost.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Host.h"
#include "win32/platform/Installation.h"
#include "win32/platform/WindowSystem.h"

namespace nuvik::host {

namespace {

std::string ProgramName(int argc, char** argv) {
    if (argc < 1 || !argv[0] || !*argv[0])
        return "nuvik";
    std::string path = argv[0];
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SetUpPlatform(const Options& options) {
    if (options.virtualClock)
        win32::clock::UseVirtualClock(options.clockStartMs);
    else
        win32::clock::UseRealClock();
    win32::installation::SetDirectXVersion(options.directXVersion);
    win32::Framebuffer::Instance().SetReportedRedMask16(options.redMask16);
}

// What the diagnostics record held before the run, so that the report holds this run's only.
struct DiagnosticsMark {
    std::size_t messageBoxes = 0;
    std::size_t traceLines = 0;
};

RunReport CollectReport(int exitCode, const SystemHooks& hooks, const RunSession& session,
                        const DiagnosticsMark& mark) {
    RunReport report;
    report.exitCode = exitCode;
    report.framesPresented = hooks.framesPresented ? hooks.framesPresented() : 0;
    report.frameStep = hooks.frameStep ? hooks.frameStep() : 0;
    report.targetFps = hooks.targetFps ? hooks.targetFps() : 0;
    report.shownFps = session.ShownFps();
    report.frameIntervals = session.Intervals().Summary();
    report.speed = win32::clock::Speed();
    if (std::uint32_t elapsed = session.ElapsedMs(); elapsed > 0)
        report.presentedPerHostSecond =
            static_cast<double>(report.framesPresented) * 1000.0 / elapsed;
    const auto& boxes = win32::diagnostics::MessageBoxes();
    for (std::size_t i = std::min(mark.messageBoxes, boxes.size()); i < boxes.size(); ++i) {
        report.messageBoxes.push_back(
            {boxes[i].caption, boxes[i].text, boxes[i].atMs - session.StartTick()});
    }
    const auto& trace = win32::diagnostics::TraceLines();
    report.trace.assign(
        trace.begin() + static_cast<std::ptrdiff_t>(std::min(mark.traceLines, trace.size())),
        trace.end());
    return report;
}

// What a run owes its caller at its end, however it ends: screenshot and report.
struct RunOutputs {
    const Options* options = nullptr;
    const SystemHooks* hooks = nullptr;
    const RunSession* session = nullptr;
    DiagnosticsMark mark;
};

// The run under way, for the crash handler.
RunOutputs* g_currentRun = nullptr;

// Writes the screenshot and the report. What could not be written joins `failures`, and a
// run with failures does not end with 0: the report says so too.
void WriteRunOutputs(const RunOutputs& run, int* exitCode, const std::optional<CrashRecord>& crash,
                     std::vector<std::string>* failures) {
    std::string error;
    const Options& options = *run.options;
    if (!options.screenshotPath.empty() && !WriteScreenPng(options.screenshotPath, &error))
        failures->push_back("cannot write screenshot " + options.screenshotPath + ": " + error);
    if (!failures->empty() && *exitCode == 0)
        *exitCode = 1;
    if (options.reportPath.empty())
        return;
    RunReport report = CollectReport(*exitCode, *run.hooks, *run.session, run.mark);
    report.crash = crash;
    if (!WriteReport(report, options.reportPath, &error)) {
        failures->push_back(error);
        if (*exitCode == 0)
            *exitCode = 1;
    }
}

void WriteOutputsAfterCrash(const CrashRecord& crash) {
    if (g_currentRun == nullptr)
        return;
    std::vector<std::string> failures;
    // What the shell reports for a process ended by the signal.
    int exitCode = 128 + crash.signalNumber;
    WriteRunOutputs(*g_currentRun, &exitCode, crash, &failures);
    const Options& options = *g_currentRun->options;
    if (!options.reportPath.empty())
        std::fprintf(stderr, "  the report (%s)%s written\n", options.reportPath.c_str(),
                     failures.empty() ? " was" : " could not be");
}

}  // namespace

int RunRunner(int argc, char** argv, const SystemHooks& hooks) {
    const std::string program = ProgramName(argc, argv);
    auto complain = [&](const std::string& message) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
    };

    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    Options options;
    std::string error;
    if (!ParseOptions(arguments, &options, &error)) {
        complain(error);
        return 2;
    }
    if (options.help) {
        std::fputs(HelpText(program).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(VersionText(program).c_str(), stdout);
        return 0;
    }
    if (options.host == HostKind::Headless && options.scriptPath.empty() && !options.runForMs)
        complain(
            "running headless with neither --script nor --run-for: the run lasts until "
            "the program ends; Ctrl-C closes it as a window manager would, and the report "
            "and screenshot are still written");
    std::vector<ScriptEvent> script;
    if (!options.scriptPath.empty() && !LoadScript(options.scriptPath, &script, &error)) {
        complain(error);
        return 2;
    }
    if (!hooks.run) {
        complain("no program to run");
        return 1;
    }

    SetUpPlatform(options);
    WindowSystemInput input;
    const bool headless = options.host == HostKind::Headless;
    SessionSettings settings;
    settings.runForMs = options.runForMs;
    settings.script = std::move(script);
    settings.dismissMessageBoxes = headless;
    settings.messageBoxOpen = win32::windowsystem::MessageBoxOpen;
    settings.padMapping = options.padMapping;
    // Every key and click passes the runner's own controls on its way to the program.
    RunnerControls controls(input, hooks,
                            {options.speed, options.capturesDir,
                             options.recordConsoleOnly ? RecordArea::Console : RecordArea::Screen});
    RunSession session(std::move(settings), hooks, controls);
    session.SetControls(&controls);

    std::unique_ptr<win32::Host> host;
    if (headless) {
        host = std::make_unique<HeadlessHost>(session, options.virtualClock, options.busyLoop);
    } else {
        host = OpenWindowHost(options, session, controls, &error);
        if (!host) {
            complain("cannot open a window: " + error + "; try --headless");
            return 1;
        }
    }

    RunOutputs outputs{&options, &hooks, &session,
                       DiagnosticsMark{win32::diagnostics::MessageBoxes().size(),
                                       win32::diagnostics::TraceLines().size()}};
    g_currentRun = &outputs;
    InstallCrashHandlers(program,
                         {hooks.frameStep, hooks.framesPresented, &WriteOutputsAfterCrash});
    InstallInterruptHandlers();
    win32::SetCurrentHost(host.get());
    session.Start();
    if ((!options.recordPath.empty() && !controls.StartRecording(options.recordPath, &error)) ||
        (!options.recordInputPath.empty() &&
         !controls.StartInputRecording(options.recordInputPath, &error))) {
        controls.StopRecording();
        win32::SetCurrentHost(nullptr);
        complain(error);
        return 1;
    }
    int exitCode = hooks.run();
    controls.StopRecording();
    controls.StopInputRecording();
    session.SampleShownFps();
    win32::SetCurrentHost(nullptr);
    // A run stopped by Ctrl-C or SIGTERM ended as a close would, but must not look finished.
    if (int interrupt = InterruptSignal(); interrupt != 0)
        exitCode = 128 + interrupt;

    // A run whose requested files are missing must not look like a success to automation.
    std::vector<std::string> failures = session.Failures();
    failures.insert(failures.end(), controls.Failures().begin(), controls.Failures().end());
    WriteRunOutputs(outputs, &exitCode, std::nullopt, &failures);
    g_currentRun = nullptr;
    for (const std::string& failure : failures)
        complain(failure);
    return exitCode;
}

}  // namespace nuvik::host
