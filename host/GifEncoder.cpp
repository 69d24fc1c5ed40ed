#include "host/GifEncoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace nuvik::host {

namespace {

// The colours of one frame in order of first appearance, as long as there are at most 256.
// An open-addressed table keyed by the colour itself: the order never depends on addresses.
class ExactPalette {
  public:
    ExactPalette() { slots_.fill(kEmpty); }

    // False once a 257th colour turns up.
    bool Collect(const std::uint32_t* pixels, std::size_t count) {
        std::uint32_t last = ~0u;
        for (std::size_t i = 0; i < count; ++i) {
            std::uint32_t color = pixels[i];
            if (color == last)
                continue;
            last = color;
            std::size_t slot = SlotOf(color);
            if (slots_[slot] != kEmpty)
                continue;
            if (colors_.size() == 256)
                return false;
            keys_[slot] = color;
            slots_[slot] = static_cast<std::int16_t>(colors_.size());
            colors_.push_back(color);
        }
        return true;
    }

    void Index(const std::uint32_t* pixels, std::size_t count, std::uint8_t* indices) const {
        std::uint32_t last = ~0u;
        std::uint8_t lastIndex = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (pixels[i] != last) {
                last = pixels[i];
                lastIndex = static_cast<std::uint8_t>(slots_[SlotOf(last)]);
            }
            indices[i] = lastIndex;
        }
    }

    const std::vector<std::uint32_t>& Colors() const { return colors_; }

  private:
    static constexpr std::size_t kSlotBits = 10;  // four times the colours held: short probes
    static constexpr std::int16_t kEmpty = -1;

    std::size_t SlotOf(std::uint32_t color) const {
        std::size_t slot = (color * 2654435761u) >> (32 - kSlotBits);
        while (slots_[slot] != kEmpty && keys_[slot] != color)
            slot = (slot + 1) & ((1u << kSlotBits) - 1);
        return slot;
    }

    std::array<std::uint32_t, 1u << kSlotBits> keys_{};
    std::array<std::int16_t, 1u << kSlotBits> slots_{};
    std::vector<std::uint32_t> colors_;
};

// The fixed 6x7x6 cube (green, to which the eye is most sensitive, gets the extra level).
constexpr int kCubeRed = 6, kCubeGreen = 7, kCubeBlue = 6;

constexpr std::uint8_t Level(int value, int levels) {
    return static_cast<std::uint8_t>((value * (levels - 1) + 127) / 255);
}
constexpr std::uint8_t LevelValue(int level, int levels) {
    return static_cast<std::uint8_t>((level * 255 + (levels - 1) / 2) / (levels - 1));
}

struct CubeLevels {
    std::array<std::uint8_t, 256> red{}, green{}, blue{};
    constexpr CubeLevels() {
        for (int v = 0; v < 256; ++v) {
            red[v] = static_cast<std::uint8_t>(Level(v, kCubeRed) * kCubeGreen * kCubeBlue);
            green[v] = static_cast<std::uint8_t>(Level(v, kCubeGreen) * kCubeBlue);
            blue[v] = Level(v, kCubeBlue);
        }
    }
};
constexpr CubeLevels kCube;

std::vector<std::uint32_t> CubeColors() {
    std::vector<std::uint32_t> colors;
    for (int r = 0; r < kCubeRed; ++r)
        for (int g = 0; g < kCubeGreen; ++g)
            for (int b = 0; b < kCubeBlue; ++b)
                colors.push_back(std::uint32_t{LevelValue(r, kCubeRed)} << 16 |
                                 std::uint32_t{LevelValue(g, kCubeGreen)} << 8 |
                                 LevelValue(b, kCubeBlue));
    return colors;
}

void IndexOnCube(const std::uint32_t* pixels, std::size_t count, std::uint8_t* indices) {
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t c = pixels[i];
        indices[i] = static_cast<std::uint8_t>(kCube.red[(c >> 16) & 0xFF] +
                                               kCube.green[(c >> 8) & 0xFF] + kCube.blue[c & 0xFF]);
    }
}

// giflib wants a colour table whose size is a power of two, at least 2.
ColorMapObject* MakeColorMap(const std::vector<std::uint32_t>& colors) {
    int size = 2;
    while (size < static_cast<int>(colors.size()))
        size *= 2;
    std::vector<GifColorType> table(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < colors.size(); ++i)
        table[i] = GifColorType{static_cast<GifByteType>(colors[i] >> 16),
                                static_cast<GifByteType>(colors[i] >> 8),
                                static_cast<GifByteType>(colors[i])};
    return GifMakeMapObject(size, table.data());
}

}  // namespace

std::unique_ptr<GifEncoder> GifEncoder::Open(const std::string& path, int width, int height,
                                             std::string* error) {
    std::unique_ptr<GifEncoder> encoder(new GifEncoder());
    encoder->path_ = path;
    encoder->file_ = std::fopen(path.c_str(), "wb");
    if (!encoder->file_) {
        if (error)
            *error = "cannot write recording " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    int gifError = 0;
    encoder->gif_ = EGifOpen(encoder.get(), &GifEncoder::Output, &gifError);
    if (!encoder->gif_) {
        encoder->Fail(gifError);
    } else {
        EGifSetGifVersion(encoder->gif_, true);
        // NETSCAPE2.0 with a loop count of 0: the animation repeats for ever.
        static const std::uint8_t kLoopForever[] = {1, 0, 0};
        if (EGifPutScreenDesc(encoder->gif_, width, height, 8, 0, nullptr) == GIF_ERROR ||
            EGifPutExtensionLeader(encoder->gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(encoder->gif_, 11, "NETSCAPE2.0") == GIF_ERROR ||
            EGifPutExtensionBlock(encoder->gif_, 3, kLoopForever) == GIF_ERROR ||
            EGifPutExtensionTrailer(encoder->gif_) == GIF_ERROR)
            encoder->Fail(encoder->gif_->Error);
    }
    if (!encoder->failure_.empty()) {
        std::string message;
        encoder->Close(&message);
        if (error)
            *error = message;
        return nullptr;
    }
    return encoder;
}

GifEncoder::~GifEncoder() {
    if (gif_ || file_)
        Close(nullptr);
}

int GifEncoder::Output(GifFileType* gif, const std::uint8_t* bytes, int length) {
    auto* self = static_cast<GifEncoder*>(gif->UserData);
    std::size_t written = std::fwrite(bytes, 1, static_cast<std::size_t>(length), self->file_);
    if (written != static_cast<std::size_t>(length) && self->writeErrno_ == 0)
        self->writeErrno_ = errno != 0 ? errno : EIO;
    return static_cast<int>(written);
}

void GifEncoder::Fail(int gifError) {
    if (!failure_.empty())
        return;
    const char* reason = writeErrno_ != 0 ? std::strerror(writeErrno_) : GifErrorString(gifError);
    failure_ = "cannot write recording " + path_ + ": " + (reason ? reason : "write failed");
}

void GifEncoder::PutFrame(const GifRect& rect, const std::uint32_t* pixels, std::uint32_t delayCs) {
    std::uint32_t first = std::min(delayCs, kMaxDelayCs);
    PutImage(rect, pixels, first);
    for (std::uint32_t left = delayCs - first; left > 0 && failure_.empty();) {
        std::uint32_t part = std::min(left, kMaxDelayCs);
        PutImage(GifRect{rect.left, rect.top, 1, 1}, pixels, part);
        left -= part;
    }
}

void GifEncoder::PutImage(const GifRect& rect, const std::uint32_t* pixels, std::uint32_t delayCs) {
    if (!failure_.empty() || !gif_ || rect.Empty())
        return;
    const auto count = static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height);
    indices_.resize(count);
    ExactPalette exact;
    ColorMapObject* map = nullptr;
    if (exact.Collect(pixels, count)) {
        exact.Index(pixels, count, indices_.data());
        map = MakeColorMap(exact.Colors());
    } else {
        static const std::vector<std::uint32_t> cube = CubeColors();
        IndexOnCube(pixels, count, indices_.data());
        map = MakeColorMap(cube);
    }

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = static_cast<int>(delayCs);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    std::size_t extensionLength = EGifGCBToExtension(&control, extension);

    bool ok = map != nullptr &&
              EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength),
                               extension) != GIF_ERROR &&
              EGifPutImageDesc(gif_, rect.left, rect.top, rect.width, rect.height, false, map) !=
                  GIF_ERROR &&
              EGifPutLine(gif_, indices_.data(), static_cast<int>(count)) != GIF_ERROR;
    const int gifError = map != nullptr ? gif_->Error : E_GIF_ERR_NOT_ENOUGH_MEM;
    GifFreeMapObject(map);
    if (!ok) {
        Fail(gifError);
        return;
    }
    ++framesWritten_;
}

bool GifEncoder::Close(std::string* error) {
    if (gif_) {
        int gifError = 0;
        if (EGifCloseFile(gif_, &gifError) == GIF_ERROR)
            Fail(gifError);
        gif_ = nullptr;
    }
    if (file_) {
        // Buffered bytes meet a full disk only here.
        if (std::fflush(file_) != 0 && writeErrno_ == 0)
            writeErrno_ = errno;
        if (std::fclose(file_) != 0 && writeErrno_ == 0)
            writeErrno_ = errno;
        file_ = nullptr;
    }
    if (writeErrno_ != 0)
        Fail(E_GIF_ERR_WRITE_FAILED);
    if (!failure_.empty()) {
        if (error)
            *error = failure_;
        return false;
    }
    return true;
}

}  // namespace nuvik::host
