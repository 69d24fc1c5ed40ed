// Shared set-up for the DirectDraw tests: a clean platform before each test, and a check
// after each one that every DirectDraw object and surface it made was released.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "win32/ddraw.h"
#include "win32/platform/DirectDrawFaults.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Installation.h"

namespace ddraw_test {

namespace faults = win32::ddraw::faults;

// Any non-null window will do for exclusive mode: DirectDraw only keeps it.
inline HWND FakeWindow() {
    static HWND__ window{};
    return &window;
}

class DdrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win32::installation::SetDirectXVersion(0x801);
        win32::Framebuffer::Instance().Reset();
        faults::Reset();
    }

    void TearDown() override {
        faults::Reset();
        EXPECT_EQ(faults::LiveSurfaces(), 0) << "a surface leaked";
        EXPECT_EQ(faults::LiveDirectDrawObjects(), 0) << "a DirectDraw object leaked";
        win32::installation::SetDirectXVersion(0x801);
        win32::Framebuffer::Instance().Reset();
    }

    static IDirectDraw7* NewDirectDraw7() {
        void* made = nullptr;
        EXPECT_EQ(DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr), DD_OK);
        return static_cast<IDirectDraw7*>(made);
    }

    // A DirectDraw object in exclusive full-screen mode at 640 x 480 x `depth`.
    static IDirectDraw7* NewFullScreen(DWORD depth = 16) {
        IDirectDraw7* directDraw = NewDirectDraw7();
        EXPECT_EQ(directDraw->SetCooperativeLevel(FakeWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE),
                  DD_OK);
        EXPECT_EQ(directDraw->SetDisplayMode(640, 480, depth, 0, 0), DD_OK);
        return directDraw;
    }

    static DDSURFACEDESC2 Description() {
        DDSURFACEDESC2 description;
        std::memset(&description, 0, sizeof description);
        description.dwSize = sizeof description;
        return description;
    }

    // The primary as the display device asks for it: a flipping chain with one back buffer.
    static IDirectDrawSurface7* NewPrimary(IDirectDraw7* directDraw) {
        DDSURFACEDESC2 description = Description();
        description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        description.ddsCaps.dwCaps =
            DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_SYSTEMMEMORY;
        description.dwBackBufferCount = 1;
        IDirectDrawSurface7* primary = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
        return primary;
    }

    static IDirectDrawSurface7* NewOffScreen(IDirectDraw7* directDraw, DWORD width, DWORD height) {
        DDSURFACEDESC2 description = Description();
        description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        description.dwWidth = width;
        description.dwHeight = height;
        description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&description, &surface, nullptr), DD_OK);
        return surface;
    }

    // Pixel memory as Lock reports it; the lock is given back at once, as the display code
    // does, and the address stays valid until the surface is released.
    struct Memory {
        std::uint8_t* bits = nullptr;
        LONG pitch = 0;
        DWORD bitsPerPixel = 0;
    };
    static Memory MemoryOf(IDirectDrawSurface7* surface) {
        DDSURFACEDESC2 description = Description();
        EXPECT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
        return Memory{static_cast<std::uint8_t*>(description.lpSurface), description.lPitch,
                      description.ddpfPixelFormat.dwRGBBitCount};
    }

    static std::uint16_t Pixel16(IDirectDrawSurface7* surface, int x, int y) {
        const Memory memory = MemoryOf(surface);
        std::uint16_t value;
        std::memcpy(&value, memory.bits + y * memory.pitch + x * 2, 2);
        return value;
    }

    static void SetPixel16(IDirectDrawSurface7* surface, int x, int y, std::uint16_t value) {
        const Memory memory = MemoryOf(surface);
        std::memcpy(memory.bits + y * memory.pitch + x * 2, &value, 2);
    }

    // Every pixel of a 16-bit surface gets a value that names its position.
    static void FillWithCoordinates(IDirectDrawSurface7* surface, int width, int height) {
        const Memory memory = MemoryOf(surface);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const auto value = static_cast<std::uint16_t>(y * 256 + x + 1);
                std::memcpy(memory.bits + y * memory.pitch + x * 2, &value, 2);
            }
        }
    }
    static std::uint16_t CoordinateValue(int x, int y) {
        return static_cast<std::uint16_t>(y * 256 + x + 1);
    }
};

}  // namespace ddraw_test
