// What recording costs a presented frame: GifRecorder::AddFrame of a 640x480 5-6-5 screen, with
// a small change and with the whole screen changed, against copying the frame once (memcpy, the
// least any recorder must do). AddFrame hands the changed rectangle to the recorder's encoding
// thread; when frames arrive faster than that thread writes them, AddFrame waits, so the whole
// screen case measures the encoder's pace as well. GifEncoder alone shows that pace per frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/GifEncoder.h"
#include "host/GifRecorder.h"
#include "win32/platform/Framebuffer.h"

namespace {

using nuvik::host::GifEncoder;
using nuvik::host::GifRecorder;
using nuvik::host::RecordArea;

constexpr int kWidth = 640, kHeight = 480;

struct Screen {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kWidth * kHeight * 2);
    win32::PixelBuffer Buffer() {
        return win32::PixelBuffer{bytes.data(), kWidth, kHeight, kWidth * 2,
                                  win32::PixelFormat::Rgb565()};
    }
};

// A picture of 200 colours in stripes and blocks, the way a program's screen looks; `shift`
// moves every colour, so that two shifts differ in every pixel.
Screen Picture(int shift) {
    Screen screen;
    win32::PixelBuffer buffer = screen.Buffer();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            int shade = (x / 8 + y / 12 + shift) % 200;
            win32::WritePixel(buffer, x, y,
                              win32::PackColor(buffer.format, RGB(shade, 255 - shade, shade * 5)));
        }
    return screen;
}

void CopyFrame(benchmark::State& state) {
    Screen from = Picture(0), to;
    for (auto _ : state) {
        std::memcpy(to.bytes.data(), from.bytes.data(), from.bytes.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CopyFrame);

// Frames alternate between two screens that differ in `changeWidth` x `changeHeight` pixels.
void AddFrame(benchmark::State& state, int changeWidth, int changeHeight) {
    Screen screens[2] = {Picture(0), Picture(0)};
    Screen changed = Picture(1);
    if (changeWidth == kWidth && changeHeight == kHeight) {
        screens[1] = changed;
    } else {
        for (int y = 200; y < 200 + changeHeight; ++y)
            std::memcpy(screens[1].bytes.data() + (y * kWidth + 300) * 2,
                        changed.bytes.data() + (y * kWidth + 300) * 2,
                        static_cast<std::size_t>(changeWidth) * 2);
    }
    std::string error;
    auto recorder = GifRecorder::Open("/dev/null", RecordArea::Screen, &error);
    if (!recorder) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::uint32_t tick = 0;
    for (auto _ : state) {
        tick += 17;
        recorder->AddFrame(screens[(tick / 17) % 2].Buffer(), tick);
    }
    recorder->Finish(tick + 17, &error);
    state.counters["gif frames"] = recorder->FramesWritten();
}

void AddFrameSmallChange(benchmark::State& state) {
    AddFrame(state, 32, 24);
}
BENCHMARK(AddFrameSmallChange);

void AddFrameWholeScreenChange(benchmark::State& state) {
    AddFrame(state, kWidth, kHeight);
}
BENCHMARK(AddFrameWholeScreenChange);

// The encoding thread's work for one whole-screen frame: colour table, LZW, writing.
void EncodeWholeScreen(benchmark::State& state, int colors) {
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels[static_cast<std::size_t>(y) * kWidth + x] =
                colors <= 256
                    ? static_cast<std::uint32_t>((x / 8 + y / 12) % colors) * 0x010305u
                    : static_cast<std::uint32_t>(x * 0x10000 + y * 0x100 + x + y) & 0xFFFFFF;
    std::string error;
    auto encoder = GifEncoder::Open("/dev/null", kWidth, kHeight, &error);
    if (!encoder) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state)
        encoder->PutFrame(nuvik::host::GifRect{0, 0, kWidth, kHeight}, pixels.data(), 2);
    encoder->Close(&error);
}

void EncodeWholeScreen200Colors(benchmark::State& state) {
    EncodeWholeScreen(state, 200);
}
BENCHMARK(EncodeWholeScreen200Colors);

void EncodeWholeScreenQuantised(benchmark::State& state) {
    EncodeWholeScreen(state, 1 << 24);
}
BENCHMARK(EncodeWholeScreenQuantised);

}  // namespace

BENCHMARK_MAIN();
