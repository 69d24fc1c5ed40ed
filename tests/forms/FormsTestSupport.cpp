#include "FormsTestSupport.h"

#include <list>

#include "forms/Application.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Input.h"
#include "win32/platform/Resources.h"
#include "win32/platform/WindowSystem.h"

namespace formstest {

TestHost::TestHost() {
    win32::SetCurrentHost(this);
}

TestHost::~TestHost() {
    if (win32::CurrentHost() == this)
        win32::SetCurrentHost(nullptr);
}

void TestHost::At(DWORD atMs, std::function<void()> action) {
    timed_.push_back({atMs, std::move(action)});
}

void TestHost::Idle(int waitMs) {
    bool waits = waitMs != 0;
    if (log != nullptr && (waits || logIdles))
        log->push_back(waits ? "wait" : "empty");
    win32::clock::AdvanceVirtual(1);
    DWORD now = timeGetTime();
    // A message box is answered after it has been up for a little while.
    if (win32::windowsystem::MessageBoxOpen()) {
        if (!boxSeen_) {
            boxSeen_ = true;
            boxSeenAt_ = now;
        } else if (now - boxSeenAt_ >= 10) {
            boxSeen_ = false;
            win32::input::KeyDown(VK_RETURN);
            win32::input::KeyUp(VK_RETURN);
            return;
        }
    } else {
        boxSeen_ = false;
    }
    for (std::size_t i = 0; i < timed_.size(); ++i) {
        if (static_cast<std::int32_t>(now - timed_[i].at) >= 0) {
            auto action = std::move(timed_[i].action);
            timed_.erase(timed_.begin() + static_cast<std::ptrdiff_t>(i));
            idleStreak_ = 0;
            action();
            return;
        }
    }
    if (waits && !onWait_.empty()) {
        auto action = std::move(onWait_.front());
        onWait_.pop_front();
        idleStreak_ = 0;
        action();
        return;
    }
    if (timed_.empty() && onWait_.empty() && ++idleStreak_ == 20000) {
        gaveUp = true;
        if (log != nullptr)
            log->push_back("gave up");
        PostQuitMessage(99);
    }
}

void FormsTest::SetUp() {
    win32::SetCurrentHost(nullptr);
    win32::windowsystem::Reset();
    win32::input::Reset();
    win32::Framebuffer::Instance().Reset();
    win32::diagnostics::Clear();
    win32::clock::UseVirtualClock(0);
    forms::Application->Initialize();
    forms::Application->SetTitle("Forms test");
}

void FormsTest::TearDown() {
    forms::Application->DestroyForms();
    forms::Application->Initialize();
    win32::SetCurrentHost(nullptr);
    win32::windowsystem::Reset();
    win32::input::Reset();
    win32::clock::UseRealClock();
}

namespace {

void PutU16(std::vector<BYTE>& out, unsigned value) {
    out.push_back(static_cast<BYTE>(value & 0xFF));
    out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
}

void PutU32(std::vector<BYTE>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<BYTE> MakeDib(int width, int height, int bits,
                          const std::vector<std::uint32_t>& palette,
                          const std::vector<std::uint32_t>& pixels, bool topDown) {
    std::vector<BYTE> dib;
    PutU32(dib, 40);
    PutU32(dib, static_cast<std::uint32_t>(width));
    PutU32(dib, static_cast<std::uint32_t>(topDown ? -height : height));
    PutU16(dib, 1);
    PutU16(dib, static_cast<unsigned>(bits));
    PutU32(dib, 0);  // BI_RGB
    PutU32(dib, 0);
    PutU32(dib, 0);
    PutU32(dib, 0);
    PutU32(dib, static_cast<std::uint32_t>(palette.size()));
    PutU32(dib, 0);
    for (std::uint32_t color : palette)
        PutU32(dib, color);
    std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        std::vector<BYTE> line(stride, 0);
        for (int x = 0; x < width; ++x) {
            std::uint32_t value = pixels[static_cast<std::size_t>(y) * width + x];
            std::size_t bit = static_cast<std::size_t>(x) * bits;
            switch (bits) {
                case 1:
                case 4:
                case 8:
                    line[bit / 8] |= static_cast<BYTE>(value << (8 - bits - bit % 8));
                    break;
                case 16:
                    line[bit / 8] = static_cast<BYTE>(value & 0xFF);
                    line[bit / 8 + 1] = static_cast<BYTE>(value >> 8);
                    break;
                case 24:
                    line[bit / 8] = static_cast<BYTE>(value & 0xFF);
                    line[bit / 8 + 1] = static_cast<BYTE>((value >> 8) & 0xFF);
                    line[bit / 8 + 2] = static_cast<BYTE>((value >> 16) & 0xFF);
                    break;
                case 32:
                    for (int i = 0; i < 4; ++i)
                        line[bit / 8 + i] = static_cast<BYTE>((value >> (8 * i)) & 0xFF);
                    break;
            }
        }
        dib.insert(dib.end(), line.begin(), line.end());
    }
    return dib;
}

std::vector<BYTE> MakeCursorFile(int hotX, int hotY) {
    constexpr int kSize = 32;
    std::vector<BYTE> image;
    PutU32(image, 40);
    PutU32(image, kSize);
    PutU32(image, kSize * 2);
    PutU16(image, 1);
    PutU16(image, 1);
    for (int i = 0; i < 6; ++i)
        PutU32(image, 0);
    PutU32(image, 0x000000);  // black
    PutU32(image, 0xFFFFFF);  // white
    // Colour rows: a white square with a black border; the mask keeps only that square.
    for (int row = 0; row < kSize; ++row) {
        int y = kSize - 1 - row;
        for (int byte = 0; byte < kSize / 8; ++byte) {
            BYTE bitsOut = 0;
            for (int b = 0; b < 8; ++b) {
                int x = byte * 8 + b;
                bool inside = x < 12 && y < 12;
                bool border = x == 0 || y == 0 || x == 11 || y == 11;
                if (inside && !border)
                    bitsOut |= static_cast<BYTE>(0x80 >> b);
            }
            image.push_back(bitsOut);
        }
    }
    for (int row = 0; row < kSize; ++row) {
        int y = kSize - 1 - row;
        for (int byte = 0; byte < kSize / 8; ++byte) {
            BYTE mask = 0;
            for (int b = 0; b < 8; ++b) {
                int x = byte * 8 + b;
                if (!(x < 12 && y < 12))
                    mask |= static_cast<BYTE>(0x80 >> b);
            }
            image.push_back(mask);
        }
    }
    std::vector<BYTE> file;
    PutU16(file, 0);
    PutU16(file, 2);  // cursor
    PutU16(file, 1);
    file.push_back(kSize);
    file.push_back(kSize);
    file.push_back(2);
    file.push_back(0);
    PutU16(file, static_cast<unsigned>(hotX));
    PutU16(file, static_cast<unsigned>(hotY));
    PutU32(file, static_cast<std::uint32_t>(image.size()));
    PutU32(file, 6 + 16);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

namespace {

std::list<std::vector<BYTE>>& KeptResources() {
    static std::list<std::vector<BYTE>> kept;
    return kept;
}

}  // namespace

void RegisterResource(LPCSTR type, const char* name, std::vector<BYTE> bytes) {
    auto& kept = KeptResources();
    kept.push_back(std::move(bytes));
    win32::resources::Register(type, name, kept.back().data(), kept.back().size());
}

void RegisterResource(LPCSTR type, const char* name, const std::string& text) {
    RegisterResource(type, name, std::vector<BYTE>(text.begin(), text.end()));
}

std::string Cp949(const std::string& utf8) {
    return win32::diagnostics::Utf8ToCp949(utf8);
}

POINT OnScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void Click(POINT at) {
    win32::input::MouseMove(at.x, at.y);
    win32::input::MouseButtonDown(win32::input::MouseButton::Left, at.x, at.y);
    win32::input::MouseButtonUp(win32::input::MouseButton::Left, at.x, at.y);
}

}  // namespace formstest
