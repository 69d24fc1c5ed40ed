#include "host/GifRecorder.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win32/platform/Png.h"

namespace {

using nuvik::host::GifRecorder;
using nuvik::host::RecordArea;
using win32::PixelFormat;

// A 640x480 screen of its own, in any pixel format.
class TestScreen {
  public:
    explicit TestScreen(PixelFormat format) : storage_(640 * 480 * 4) {
        buffer_ =
            win32::PixelBuffer{storage_.data(), 640, 480, 640 * format.BytesPerPixel(), format};
    }
    void Fill(int left, int top, int width, int height, COLORREF color) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                win32::WritePixel(buffer_, x, y, win32::PackColor(buffer_.format, color));
    }
    // Every pixel its own colour: more than 256 of them.
    void Gradient() {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                win32::WritePixel(buffer_, x, y,
                                  win32::PackColor(buffer_.format, RGB(x * 255 / 639, y * 255 / 479,
                                                                       (x + y) % 256)));
    }
    // The colours as shown, cut to `area`.
    std::vector<std::uint8_t> Shown(RecordArea area) const {
        auto rgb = win32::png::ToRgb(buffer_);
        if (area == RecordArea::Screen)
            return rgb.rgb;
        std::vector<std::uint8_t> cut;
        for (int y = 95; y < 95 + 240; ++y)
            cut.insert(cut.end(), rgb.rgb.begin() + (y * 640 + 160) * 3,
                       rgb.rgb.begin() + (y * 640 + 160 + 320) * 3);
        return cut;
    }
    const win32::PixelBuffer& Buffer() const { return buffer_; }

  private:
    std::vector<std::uint8_t> storage_;
    win32::PixelBuffer buffer_;
};

struct DecodedFrame {
    int delayCs = 0;
    int disposal = 0;
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> canvas;  // the whole picture once this frame is drawn, RGB
};

struct Decoded {
    int width = 0, height = 0;
    bool loops = false;
    std::vector<DecodedFrame> frames;
};

Decoded Decode(const std::string& path) {
    Decoded decoded;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) {
        ADD_FAILURE() << "cannot read " << path << ": " << GifErrorString(gif ? gif->Error : error);
        if (gif)
            DGifCloseFile(gif, &error);
        return decoded;
    }
    decoded.width = gif->SWidth;
    decoded.height = gif->SHeight;
    std::vector<std::uint8_t> canvas(static_cast<std::size_t>(gif->SWidth) * gif->SHeight * 3);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int b = 0; b + 1 < image.ExtensionBlockCount; ++b) {
            const ExtensionBlock& block = image.ExtensionBlocks[b];
            const ExtensionBlock& next = image.ExtensionBlocks[b + 1];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::string(reinterpret_cast<char*>(block.Bytes), 11) == "NETSCAPE2.0" &&
                next.ByteCount == 3 && next.Bytes[0] == 1 && next.Bytes[1] == 0 &&
                next.Bytes[2] == 0)
                decoded.loops = true;
        }
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        const GifImageDesc& desc = image.ImageDesc;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        for (int y = 0; y < desc.Height; ++y)
            for (int x = 0; x < desc.Width; ++x) {
                const GifColorType& color = map->Colors[image.RasterBits[y * desc.Width + x]];
                std::size_t at =
                    (static_cast<std::size_t>(desc.Top + y) * gif->SWidth + desc.Left + x) * 3;
                canvas[at] = color.Red;
                canvas[at + 1] = color.Green;
                canvas[at + 2] = color.Blue;
            }
        decoded.frames.push_back(DecodedFrame{control.DelayTime, control.DisposalMode, desc.Left,
                                              desc.Top, desc.Width, desc.Height, canvas});
    }
    DGifCloseFile(gif, &error);
    return decoded;
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GifRecorder, DelaysAreTheTimeToTheNextChangeWithRoundingCarried) {
    // A frame is a tick and the colour the whole screen turns.
    struct Shown {
        std::uint32_t tick;
        COLORREF color;
    };
    const COLORREF a = RGB(10, 0, 0), b = RGB(20, 0, 0), c = RGB(30, 0, 0), d = RGB(40, 0, 0);
    const struct {
        std::vector<Shown> frames;
        std::uint32_t end;
        std::vector<int> delays;
    } cases[] = {
        // An identical frame adds nothing; b, shown for 5 ms, is left out and its time carried.
        {{{0, a}, {16, a}, {33, b}, {38, c}, {50, d}}, 1000, {3, 2, 95}},
        {{{0, a}, {15, b}, {30, c}}, 45, {1, 2, 1}},
        // The last frame lasts at least 1/100 s.
        {{{0, a}}, 5, {1}},
        // Longer than one GIF delay can say: continued by a frame that changes nothing.
        {{{0, a}}, 700000, {65535, 4465}},
        // The tick counter wraps around.
        {{{0xFFFFFFF0u, a}, {0x10, b}}, 0x20, {3, 1}},
    };
    const std::string path = TempPath("nuvik-gif-delays.gif");
    for (const auto& row : cases) {
        std::string error;
        auto recorder = GifRecorder::Open(path, RecordArea::Console, &error);
        ASSERT_TRUE(recorder) << error;
        TestScreen screen(PixelFormat::Rgb565());
        for (const Shown& frame : row.frames) {
            screen.Fill(0, 0, 640, 480, frame.color);
            recorder->AddFrame(screen.Buffer(), frame.tick);
        }
        ASSERT_TRUE(recorder->Finish(row.end, &error)) << error;
        std::vector<int> delays;
        for (const DecodedFrame& frame : Decode(path).frames)
            delays.push_back(frame.delayCs);
        EXPECT_EQ(delays, row.delays) << row.end;
        EXPECT_EQ(recorder->FramesWritten(), static_cast<int>(row.delays.size()));
    }
}

TEST(GifRecorder, FramesHoldTheChangedRectangleAndLoop) {
    const std::string path = TempPath("nuvik-gif-frames.gif");
    std::string error;
    auto recorder = GifRecorder::Open(path, RecordArea::Screen, &error);
    ASSERT_TRUE(recorder) << error;
    TestScreen screen(PixelFormat::Xrgb8888());
    std::vector<std::vector<std::uint8_t>> shown;
    recorder->AddFrame(screen.Buffer(), 0);
    shown.push_back(screen.Shown(RecordArea::Screen));
    screen.Fill(100, 100, 20, 10, RGB(255, 0, 0));
    recorder->AddFrame(screen.Buffer(), 100);
    // The red block alone was shown for 5 ms, too short to be written: the next frame carries
    // it too.
    screen.Fill(300, 200, 5, 5, RGB(0, 255, 0));
    recorder->AddFrame(screen.Buffer(), 105);
    recorder->AddFrame(screen.Buffer(), 150);
    shown.push_back(screen.Shown(RecordArea::Screen));
    // Bits outside the colour change the bytes but not the picture.
    win32::WritePixel(screen.Buffer(), 7, 7, win32::ReadPixel(screen.Buffer(), 7, 7) | 0xFF000000);
    recorder->AddFrame(screen.Buffer(), 250);
    ASSERT_TRUE(recorder->Finish(300, &error)) << error;

    Decoded decoded = Decode(path);
    EXPECT_EQ(decoded.width, 640);
    EXPECT_EQ(decoded.height, 480);
    EXPECT_TRUE(decoded.loops);
    ASSERT_EQ(decoded.frames.size(), 2u);
    const DecodedFrame& first = decoded.frames[0];
    EXPECT_EQ(std::vector<int>({first.left, first.top, first.width, first.height}),
              std::vector<int>({0, 0, 640, 480}));
    const DecodedFrame& second = decoded.frames[1];
    EXPECT_EQ(std::vector<int>({second.left, second.top, second.width, second.height}),
              std::vector<int>({100, 100, 205, 105}));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(decoded.frames[i].disposal, DISPOSE_DO_NOT) << i;
        EXPECT_TRUE(decoded.frames[i].canvas == shown[i]) << "frame " << i;
    }
}

TEST(GifRecorder, ColoursOfEveryPixelFormatAreKeptExactly) {
    const struct {
        RecordArea area;
        std::vector<PixelFormat> formats;  // one frame in each
    } cases[] = {
        {RecordArea::Screen,
         {PixelFormat::Xrgb8888(), PixelFormat::Rgb565(), PixelFormat::Xrgb1555()}},
        {RecordArea::Console, {PixelFormat::Rgb565(), PixelFormat::Xrgb8888()}},
    };
    const std::string path = TempPath("nuvik-gif-formats.gif");
    for (const auto& c : cases) {
        std::string error;
        auto recorder = GifRecorder::Open(path, c.area, &error);
        ASSERT_TRUE(recorder) << error;
        std::vector<std::vector<std::uint8_t>> shown;
        for (std::size_t i = 0; i < c.formats.size(); ++i) {
            TestScreen screen(c.formats[i]);
            // 240 colours whose low bits a narrow format drops and widens again, and a frame
            // border just outside the console's opening.
            for (int block = 0; block < 240; ++block)
                screen.Fill(160 + (block % 20) * 16, 95 + (block / 20) * 20, 16, 20,
                            RGB(block * 7 + static_cast<int>(i), 255 - block, block * 3 % 256));
            screen.Fill(150, 85, 10, 10, RGB(255, 255, 255));
            screen.Fill(160, 95, 1, 1, RGB(static_cast<int>(i) * 100, 0, 0));
            recorder->AddFrame(screen.Buffer(), static_cast<std::uint32_t>(i) * 100);
            shown.push_back(screen.Shown(c.area));
        }
        ASSERT_TRUE(recorder->Finish(1000, &error)) << error;
        Decoded decoded = Decode(path);
        EXPECT_EQ(decoded.width, c.area == RecordArea::Console ? 320 : 640);
        ASSERT_EQ(decoded.frames.size(), shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_TRUE(decoded.frames[i].canvas == shown[i]) << "frame " << i;
    }
}

TEST(GifRecorder, MoreThan256ColoursAreQuantisedTheSameEveryTime) {
    std::vector<std::string> files;
    for (const char* name : {"nuvik-gif-many-1.gif", "nuvik-gif-many-2.gif"}) {
        const std::string path = TempPath(name);
        std::string error;
        auto recorder = GifRecorder::Open(path, RecordArea::Screen, &error);
        ASSERT_TRUE(recorder) << error;
        TestScreen screen(PixelFormat::Xrgb8888());
        screen.Gradient();
        recorder->AddFrame(screen.Buffer(), 0);
        ASSERT_TRUE(recorder->Finish(100, &error)) << error;

        Decoded decoded = Decode(path);
        ASSERT_EQ(decoded.frames.size(), 1u);
        const auto shown = screen.Shown(RecordArea::Screen);
        int worst = 0;
        for (std::size_t i = 0; i < shown.size(); ++i)
            worst = std::max(worst, std::abs(int{shown[i]} - int{decoded.frames[0].canvas[i]}));
        // Six levels of red and blue are 51 apart: no channel is off by more than half of that.
        EXPECT_LE(worst, 26);
        files.push_back(Contents(path));
    }
    EXPECT_TRUE(files[0] == files[1]);
}

TEST(GifRecorder, FailuresToWriteAreReported) {
    std::string error;
    EXPECT_FALSE(GifRecorder::Open("/nonexistent-dir/clip.gif", RecordArea::Screen, &error));
    EXPECT_EQ(error, "cannot write recording /nonexistent-dir/clip.gif: No such file or directory");

    // A full disk shows only once the buffered frames reach it.
    auto recorder = GifRecorder::Open("/dev/full", RecordArea::Screen, &error);
    ASSERT_TRUE(recorder) << error;
    TestScreen screen(PixelFormat::Xrgb8888());
    screen.Gradient();
    recorder->AddFrame(screen.Buffer(), 0);
    EXPECT_FALSE(recorder->Finish(100, &error));
    EXPECT_EQ(error, "cannot write recording /dev/full: No space left on device");
}

}  // namespace
