#include "host/GifRecorder.h"

#include <algorithm>
#include <cstring>

namespace nuvik::host {

namespace {

// Where threads exist the frames are encoded on one of the recorder's own.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
constexpr bool kEncoderThread = false;
#else
constexpr bool kEncoderThread = true;
#endif
// Frames handed to the encoding thread and not yet written; AddFrame waits beyond this.
constexpr std::size_t kMaxQueuedFrames = 3;

GifRect AreaOf(RecordArea area) {
    if (area == RecordArea::Console)
        return GifRect{160, 95, 320, 240};
    return GifRect{0, 0, win32::Framebuffer::kWidth, win32::Framebuffer::kHeight};
}

GifRect Union(const GifRect& a, const GifRect& b) {
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    int left = std::min(a.left, b.left);
    int top = std::min(a.top, b.top);
    int right = std::max(a.left + a.width, b.left + b.width);
    int bottom = std::max(a.top + a.height, b.top + b.height);
    return GifRect{left, top, right - left, bottom - top};
}

// Index of the first and of the last byte where `a` and `b` differ within [from, to); -1 when
// they agree there. Eight bytes at a time: whole rows are compared every frame.
int FirstDifference(const std::uint8_t* a, const std::uint8_t* b, int from, int to) {
    int at = from;
    for (; at + 8 <= to; at += 8) {
        std::uint64_t wordA, wordB;
        std::memcpy(&wordA, a + at, 8);
        std::memcpy(&wordB, b + at, 8);
        if (wordA != wordB)
            break;
    }
    for (; at < to; ++at)
        if (a[at] != b[at])
            return at;
    return -1;
}

int LastDifference(const std::uint8_t* a, const std::uint8_t* b, int from, int to) {
    int end = to;
    for (; end - 8 >= from; end -= 8) {
        std::uint64_t wordA, wordB;
        std::memcpy(&wordA, a + end - 8, 8);
        std::memcpy(&wordB, b + end - 8, 8);
        if (wordA != wordB)
            break;
    }
    for (int at = end - 1; at >= from; --at)
        if (a[at] != b[at])
            return at;
    return -1;
}

// The bounding box, in pixels of `bytesPerPixel`, of the differences between two images whose
// rows are `stride` bytes apart, looked for within `rect` (relative to the images).
GifRect DifferenceBox(const std::uint8_t* a, const std::uint8_t* b, int stride, int bytesPerPixel,
                      const GifRect& rect) {
    const int from = rect.left * bytesPerPixel;
    const int to = (rect.left + rect.width) * bytesPerPixel;
    int top = -1, bottom = -1, firstByte = to, lastByte = -1;
    for (int y = rect.top; y < rect.top + rect.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        if (std::memcmp(a + row + from, b + row + from, static_cast<std::size_t>(to - from)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        // Only the part outside the box found so far needs looking at.
        int first = FirstDifference(a + row, b + row, from, firstByte);
        if (first >= 0)
            firstByte = first;
        int last = LastDifference(a + row, b + row, std::max(lastByte + 1, from), to);
        if (last >= 0)
            lastByte = last;
    }
    if (top < 0)
        return GifRect{};
    int left = firstByte / bytesPerPixel;
    int right = lastByte / bytesPerPixel + 1;
    return GifRect{left, top, right - left, bottom - top + 1};
}

std::uint32_t ColorOf(const win32::PixelFormat& format, DWORD pixel) {
    COLORREF color = win32::UnpackColor(format, pixel);
    return std::uint32_t{GetRValue(color)} << 16 | std::uint32_t{GetGValue(color)} << 8 |
           GetBValue(color);
}

}  // namespace

std::unique_ptr<GifRecorder> GifRecorder::Open(const std::string& path, RecordArea area,
                                               std::string* error) {
    GifRect rect = AreaOf(area);
    auto encoder = GifEncoder::Open(path, rect.width, rect.height, error);
    if (!encoder)
        return nullptr;
    std::unique_ptr<GifRecorder> recorder(new GifRecorder());
    recorder->area_ = rect;
    recorder->encoder_ = std::move(encoder);
    const auto pixels =
        static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height);
    recorder->pending_.resize(pixels);
    recorder->pendingRaw_.resize(pixels * 4);
    if (kEncoderThread)
        recorder->encoderThread_ = std::thread([r = recorder.get()] { r->EncodeJobs(); });
    return recorder;
}

GifRecorder::~GifRecorder() {
    if (!finished_)
        Finish(pendingTickMs_, nullptr);
}

void GifRecorder::AddFrame(const win32::PixelBuffer& screen, std::uint32_t tickMs) {
    if (finished_ || !screen.bits || screen.width < area_.left + area_.width ||
        screen.height < area_.top + area_.height ||
        (screen.format.bitsPerPixel != 16 && screen.format.bitsPerPixel != 32))
        return;
    GifRect changed = havePending_ && screen.format == rawFormat_
                          ? RawChanges(screen)
                          : GifRect{0, 0, area_.width, area_.height};
    if (changed.Empty())
        return;
    Convert(screen, changed);
    if (havePending_) {
        // Bytes can change without the colours changing: the unused bits of a pixel, or a
        // switch of the display mode that redraws the same picture.
        GifRect visible = VisibleChanges(changed);
        if (visible.Empty()) {
            Store(screen, changed);
            return;
        }
        ClosePending(tickMs, false);
        unshown_ = Union(unshown_, visible);
    } else {
        unshown_ = changed;
    }
    Store(screen, changed);
    havePending_ = true;
    pendingTickMs_ = tickMs;
}

GifRect GifRecorder::RawChanges(const win32::PixelBuffer& screen) const {
    const int bytesPerPixel = screen.format.BytesPerPixel();
    const int rowBytes = area_.width * bytesPerPixel;
    const std::uint8_t* origin = screen.bits +
                                 static_cast<std::ptrdiff_t>(area_.top) * screen.pitch +
                                 area_.left * bytesPerPixel;
    // Rows of the screen and of the kept copy lie at different strides: compare row by row.
    GifRect box;
    for (int y = 0; y < area_.height; ++y) {
        const std::uint8_t* now = origin + static_cast<std::ptrdiff_t>(y) * screen.pitch;
        const std::uint8_t* before =
            pendingRaw_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rowBytes);
        GifRect row = DifferenceBox(now, before, 0, bytesPerPixel, GifRect{0, 0, area_.width, 1});
        if (!row.Empty())
            box = Union(box, GifRect{row.left, y, row.width, 1});
    }
    return box;
}

void GifRecorder::Convert(const win32::PixelBuffer& screen, const GifRect& rect) {
    const win32::PixelFormat& format = screen.format;
    if (format.bitsPerPixel == 16 && !(lutFormat_ == format && !lut16_.empty())) {
        lut16_.resize(65536);
        for (DWORD pixel = 0; pixel < 65536; ++pixel)
            lut16_[pixel] = ColorOf(format, pixel);
        lutFormat_ = format;
    }
    incoming_.resize(static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height));
    std::uint32_t* out = incoming_.data();
    for (int y = 0; y < rect.height; ++y) {
        const std::uint8_t* row =
            screen.bits + static_cast<std::ptrdiff_t>(area_.top + rect.top + y) * screen.pitch +
            (area_.left + rect.left) * format.BytesPerPixel();
        if (format.bitsPerPixel == 16) {
            for (int x = 0; x < rect.width; ++x) {
                std::uint16_t pixel;
                std::memcpy(&pixel, row + x * 2, 2);
                *out++ = lut16_[pixel];
            }
        } else if (format == win32::PixelFormat::Xrgb8888()) {
            for (int x = 0; x < rect.width; ++x) {
                std::uint32_t pixel;
                std::memcpy(&pixel, row + x * 4, 4);
                *out++ = pixel & 0x00FFFFFF;
            }
        } else {
            for (int x = 0; x < rect.width; ++x) {
                std::uint32_t pixel;
                std::memcpy(&pixel, row + x * 4, 4);
                *out++ = ColorOf(format, pixel);
            }
        }
    }
}

GifRect GifRecorder::VisibleChanges(const GifRect& rect) const {
    GifRect box;
    for (int y = 0; y < rect.height; ++y) {
        const auto* now = reinterpret_cast<const std::uint8_t*>(
            incoming_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rect.width));
        const auto* before = reinterpret_cast<const std::uint8_t*>(
            pending_.data() + static_cast<std::size_t>(rect.top + y) * area_.width + rect.left);
        GifRect row = DifferenceBox(now, before, 0, 4, GifRect{0, 0, rect.width, 1});
        if (!row.Empty())
            box = Union(box, GifRect{rect.left + row.left, rect.top + y, row.width, 1});
    }
    return box;
}

void GifRecorder::Store(const win32::PixelBuffer& screen, const GifRect& rect) {
    const int bytesPerPixel = screen.format.BytesPerPixel();
    const int rowBytes = area_.width * bytesPerPixel;
    for (int y = rect.top; y < rect.top + rect.height; ++y) {
        std::memcpy(pending_.data() + static_cast<std::size_t>(y) * area_.width + rect.left,
                    incoming_.data() + static_cast<std::size_t>(y - rect.top) * rect.width,
                    static_cast<std::size_t>(rect.width) * 4);
        std::memcpy(
            pendingRaw_.data() + static_cast<std::size_t>(y) * rowBytes + rect.left * bytesPerPixel,
            screen.bits + static_cast<std::ptrdiff_t>(area_.top + y) * screen.pitch +
                (area_.left + rect.left) * bytesPerPixel,
            static_cast<std::size_t>(rect.width) * bytesPerPixel);
    }
    rawFormat_ = screen.format;
}

void GifRecorder::ClosePending(std::uint32_t tickMs, bool last) {
    // Ticks wrap around after 49 days; the difference still counts right. A clock that went
    // backwards gives no time.
    std::uint32_t elapsed = tickMs - pendingTickMs_;
    if (static_cast<std::int32_t>(elapsed) < 0)
        elapsed = 0;
    std::uint64_t ms = carriedMs_ + elapsed;
    std::uint64_t cs = ms / 10;
    if (cs == 0 && !last) {
        // Too short to show: the frame's changes go out with the next one.
        carriedMs_ = ms;
        return;
    }
    carriedMs_ = ms % 10;
    Emit(static_cast<std::uint32_t>(std::max<std::uint64_t>(cs, 1)));
}

void GifRecorder::Emit(std::uint32_t delayCs) {
    Job job;
    job.rect = unshown_;
    job.delayCs = delayCs;
    {
        std::unique_lock lock(mutex_);
        if (!spareBuffers_.empty()) {
            job.pixels = std::move(spareBuffers_.back());
            spareBuffers_.pop_back();
        }
    }
    job.pixels.resize(static_cast<std::size_t>(job.rect.width) *
                      static_cast<std::size_t>(job.rect.height));
    for (int y = 0; y < job.rect.height; ++y)
        std::memcpy(job.pixels.data() + static_cast<std::size_t>(y) * job.rect.width,
                    pending_.data() + static_cast<std::size_t>(job.rect.top + y) * area_.width +
                        job.rect.left,
                    static_cast<std::size_t>(job.rect.width) * 4);
    // The GIF frame sits at the same place in the recorded area.
    unshown_ = GifRect{};
    if (!kEncoderThread) {
        // No threads (a web page without shared memory): the frame is encoded here.
        encoder_->PutFrame(job.rect, job.pixels.data(), job.delayCs);
        framesWritten_.store(encoder_->FramesWritten());
        spareBuffers_.push_back(std::move(job.pixels));
        return;
    }
    std::unique_lock lock(mutex_);
    roomFreed_.wait(lock, [this] { return jobs_.size() < kMaxQueuedFrames; });
    jobs_.push_back(std::move(job));
    jobsWaiting_.notify_one();
}

void GifRecorder::EncodeJobs() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            jobsWaiting_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        encoder_->PutFrame(job.rect, job.pixels.data(), job.delayCs);
        framesWritten_.store(encoder_->FramesWritten());
        std::unique_lock lock(mutex_);
        spareBuffers_.push_back(std::move(job.pixels));
        roomFreed_.notify_one();
    }
}

bool GifRecorder::Finish(std::uint32_t endTickMs, std::string* error) {
    if (finished_) {
        if (error)
            *error = "the recording is already finished";
        return false;
    }
    finished_ = true;
    if (havePending_)
        ClosePending(endTickMs, true);
    {
        std::unique_lock lock(mutex_);
        closing_ = true;
        jobsWaiting_.notify_one();
    }
    if (encoderThread_.joinable())
        encoderThread_.join();
    bool written = encoder_->Close(error);
    framesWritten_.store(encoder_->FramesWritten());
    return written;
}

}  // namespace nuvik::host
