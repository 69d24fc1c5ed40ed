#include "host/ProcessSignals.h"

#include <dlfcn.h>
#include <execinfo.h>
#include <link.h>
#include <signal.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win32/platform/Clock.h"

namespace nuvik::host {

namespace {

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kMaxFrames = 48;
// Writing the report may need a heap the program broke; past this the process ends anyway.
constexpr unsigned kOutputSeconds = 5;

std::string g_programName = "nuvik";
CrashHooks g_hooks;
std::uintptr_t g_executableBias = 0;
const void* g_executableBase = nullptr;
std::string g_executablePath = "/proc/self/exe";  // resolved at install: the child is another
volatile sig_atomic_t g_crashSignal = 0;
volatile sig_atomic_t g_interruptSignal = 0;

void WriteAll(const char* text, std::size_t length) {
    while (length > 0) {
        ssize_t written = write(STDERR_FILENO, text, length);
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

void WriteAll(const std::string& text) {
    WriteAll(text.data(), text.size());
}

// Ends the process with `signal`, as it would have ended without the runner's handler.
[[noreturn]] void DieBy(int signal) {
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void OnOutputTimeout(int) {
    WriteAll(std::string("  (the report could not be written in time)\n"));
    DieBy(g_crashSignal);
}

const char* SignalName(int signal) {
    switch (signal) {
        case SIGSEGV:
            return "SIGSEGV";
        case SIGBUS:
            return "SIGBUS";
        case SIGFPE:
            return "SIGFPE";
        case SIGILL:
            return "SIGILL";
        case SIGABRT:
            return "SIGABRT";
        default:
            return "signal";
    }
}

std::string Hex(std::uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%zx", static_cast<std::size_t>(value));
    return text;
}

std::string Describe(int signal, const siginfo_t* info) {
    const std::string address = Hex(reinterpret_cast<std::uintptr_t>(info->si_addr));
    switch (signal) {
        case SIGSEGV:
            return "invalid memory access at address " + address +
                   (info->si_addr == nullptr ? " (a null pointer)" : "");
        case SIGBUS:
            return "misaligned or unmapped memory access at address " + address;
        case SIGFPE:
            return info->si_code == FPE_INTDIV ? "integer division by zero"
                                               : "arithmetic error (overflow or division)";
        case SIGILL:
            return "illegal instruction at " + address;
        case SIGABRT:
            return "abort() was called (a failed assertion, std::terminate or a heap the "
                   "program corrupted)";
        default:
            return "";
    }
}

std::uintptr_t FaultingAddress(void* context) {
    const auto* user = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    return static_cast<std::uintptr_t>(user->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
    return static_cast<std::uintptr_t>(user->uc_mcontext.pc);
#else
    (void)user;
    return 0;
#endif
}

int NoteExecutableBias(dl_phdr_info* info, std::size_t, void*) {
    // The first object is the program itself; its bias turns addresses into file offsets.
    g_executableBias = info->dlpi_addr;
    return 1;
}

// Runs addr2line on the program's own file for `addresses`; its lines, or none when it
// cannot be run.
std::vector<std::string> Symbolize(const std::vector<std::uintptr_t>& addresses) {
    if (addresses.empty())
        return {};
    std::vector<std::string> arguments = {"addr2line",     "-C", "-f", "-i", "-p", "-e",
                                          g_executablePath};
    for (std::uintptr_t address : addresses)
        arguments.push_back(Hex(address - g_executableBias));
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return {};
    }
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execvp("addr2line", argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    std::array<char, 4096> chunk{};
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], chunk.data(), chunk.size())) > 0)
        output.append(chunk.data(), static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        lines.push_back(output.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The call chain from the faulting instruction outwards, one line a frame (and a line for each
// call inlined into it).
std::vector<std::string> Backtrace(std::uintptr_t faulting) {
    std::array<void*, kMaxFrames> frames{};
    const int count = backtrace(frames.data(), kMaxFrames);
    // Frames above the faulting one belong to this handler and the kernel's signal return.
    int first = 0;
    for (int i = 0; i < count; ++i) {
        if (reinterpret_cast<std::uintptr_t>(frames[i]) == faulting) {
            first = i;
            break;
        }
    }
    std::vector<std::uintptr_t> own;  // in the program's file
    std::vector<std::string> lines;
    auto flushOwn = [&]() {
        std::vector<std::string> named = Symbolize(own);
        if (named.empty()) {
            for (std::uintptr_t address : own)
                named.push_back(Hex(address - g_executableBias) + " in " + g_programName +
                                " (install binutils for names)");
        }
        lines.insert(lines.end(), named.begin(), named.end());
        own.clear();
    };
    for (int i = first; i < count; ++i) {
        auto address = reinterpret_cast<std::uintptr_t>(frames[i]);
        // A return address points after its call: step back into the call for its line.
        if (i != first || faulting == 0)
            --address;
        Dl_info where{};
        if (dladdr(reinterpret_cast<void*>(address), &where) != 0 && where.dli_fname != nullptr &&
            where.dli_fbase != g_executableBase) {
            flushOwn();
            lines.push_back(std::string(where.dli_sname ? where.dli_sname : "??") + " in " +
                            where.dli_fname);
            continue;
        }
        own.push_back(address);
    }
    flushOwn();
    // What calls main is the C library's start-up: nothing the author can act on.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("main at ", 0) == 0) {
            lines.resize(i + 1);
            break;
        }
    }
    return lines;
}

void OnCrash(int signal, siginfo_t* info, void* context) {
    if (g_crashSignal != 0)
        DieBy(signal);  // a crash while answering a crash
    g_crashSignal = signal;

    CrashRecord crash;
    crash.signalNumber = signal;
    crash.signal = SignalName(signal);
    crash.description = Describe(signal, info);
    crash.frameStep = g_hooks.frameStep ? g_hooks.frameStep() : 0;
    crash.tick = win32::clock::Now();
    crash.framesPresented = g_hooks.framesPresented ? g_hooks.framesPresented() : 0;

    WriteAll("\n" + g_programName + ": the program crashed\n  what:  " + crash.signal + ", " +
             crash.description + "\n  when:  driver step " + std::to_string(crash.frameStep) +
             (crash.frameStep == 1000   ? " (the set-up)"
              : crash.frameStep == 1001 ? " (the frame function)"
                                        : "") +
             ", tick " + std::to_string(crash.tick) + ", " + std::to_string(crash.framesPresented) +
             " frames presented\n  where:\n");
    crash.backtrace = Backtrace(FaultingAddress(context));
    for (const std::string& line : crash.backtrace)
        WriteAll("    " + line + "\n");

    if (g_hooks.writeOutputs) {
        struct sigaction timeout {};
        timeout.sa_handler = OnOutputTimeout;
        sigemptyset(&timeout.sa_mask);
        sigaction(SIGALRM, &timeout, nullptr);
        alarm(kOutputSeconds);
        g_hooks.writeOutputs(crash);
        alarm(0);
    }
    DieBy(signal);
}

void OnInterrupt(int signal) {
    if (g_interruptSignal != 0)
        DieBy(signal);  // asked twice: stop at once
    g_interruptSignal = signal;
    const char* text = signal == SIGINT
                           ? ": interrupted; closing the main window (again to stop at once)\n"
                           : ": terminated; closing the main window (again to stop at once)\n";
    WriteAll("\n", 1);
    WriteAll(g_programName.data(), g_programName.size());
    WriteAll(text, std::strlen(text));
}

}  // namespace

void InstallCrashHandlers(const std::string& programName, const CrashHooks& hooks) {
    g_programName = programName;
    g_hooks = hooks;
    dl_iterate_phdr(NoteExecutableBias, nullptr);
    std::array<char, 4096> path{};
    if (ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1); length > 0)
        g_executablePath.assign(path.data(), static_cast<std::size_t>(length));
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&InstallCrashHandlers), &self) != 0)
        g_executableBase = self.dli_fbase;
    // backtrace() loads its unwinder on first use: not inside a handler.
    std::array<void*, 2> warmUp{};
    backtrace(warmUp.data(), static_cast<int>(warmUp.size()));

    static std::array<char, 1 << 16> alternateStack;
    stack_t stack{};
    stack.ss_sp = alternateStack.data();
    stack.ss_size = alternateStack.size();
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnCrash;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kCrashSignals)
        sigaction(signal, &action, nullptr);
}

void InstallInterruptHandlers() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int InterruptSignal() {
    return g_interruptSignal;
}

}  // namespace nuvik::host
