// Records the screen as a looping animated GIF while a program runs. Every frame that changes
// the recorded area becomes one GIF frame holding only the changed rectangle; its delay is the
// time until the next change on the clock the program sees. Encoding and writing happen on a
// thread of the recorder's own, so that a frame costs the program little more than a comparison
// with the previous one; at most a few frames wait there, so memory stays bounded. Where there
// are no threads (a web page) a frame is encoded when it is handed over.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/GifEncoder.h"
#include "win32/platform/Framebuffer.h"

namespace nuvik::host {

// The whole 640x480 screen, or the console's 320x240 opening at (160, 95).
enum class RecordArea { Screen, Console };

class GifRecorder {
  public:
    // Null with `error` set ("cannot write recording PATH: reason") when the file cannot be
    // opened.
    static std::unique_ptr<GifRecorder> Open(const std::string& path, RecordArea area,
                                             std::string* error);
    // Finishes at the last frame's tick if Finish was not called.
    ~GifRecorder();
    GifRecorder(const GifRecorder&) = delete;
    GifRecorder& operator=(const GifRecorder&) = delete;

    // The screen as it is now, presented at `tickMs` on the clock the program sees. A frame
    // identical to the previous one in the recorded area adds nothing (its time goes to the
    // previous frame's delay). A frame shown for less than 1/100 s is left out, its time carried
    // to the next one (a delay of 0 would mean "as fast as possible" to viewers). A screen
    // smaller than the area is ignored.
    void AddFrame(const win32::PixelBuffer& screen, std::uint32_t tickMs);
    // Gives the last frame its delay (up to `endTickMs`, at least 1/100 s), writes the trailer
    // and closes; false with `error` when writing failed (disk full, ...). Further calls do
    // nothing and return false.
    bool Finish(std::uint32_t endTickMs, std::string* error);
    // GIF frames written so far (all of them once Finish returned).
    int FramesWritten() const { return framesWritten_.load(); }

  private:
    struct Job {
        GifRect rect;
        std::vector<std::uint32_t> pixels;
        std::uint32_t delayCs = 0;
    };

    GifRecorder() = default;
    GifRect RawChanges(const win32::PixelBuffer& screen) const;
    void Convert(const win32::PixelBuffer& screen, const GifRect& rect);
    GifRect VisibleChanges(const GifRect& rect) const;
    void Store(const win32::PixelBuffer& screen, const GifRect& rect);
    void ClosePending(std::uint32_t tickMs, bool last);
    void Emit(std::uint32_t delayCs);
    void EncodeJobs();

    GifRect area_;  // in screen pixels; every other rectangle is relative to it
    std::unique_ptr<GifEncoder> encoder_;

    // The latest frame, as colours (0x00RRGGBB) and as the bytes it arrived in.
    bool havePending_ = false;
    std::vector<std::uint32_t> pending_;
    std::vector<std::uint8_t> pendingRaw_;
    win32::PixelFormat rawFormat_;
    std::uint32_t pendingTickMs_ = 0;
    std::uint64_t carriedMs_ = 0;  // time not yet given to a written frame, under 1/100 s
    GifRect unshown_;              // where the latest frame differs from the last one written
    std::vector<std::uint32_t> incoming_;

    // 16-bit pixel to colour, for `lutFormat_`.
    std::vector<std::uint32_t> lut16_;
    win32::PixelFormat lutFormat_;

    std::mutex mutex_;
    std::condition_variable jobsWaiting_;
    std::condition_variable roomFreed_;
    std::deque<Job> jobs_;
    std::vector<std::vector<std::uint32_t>> spareBuffers_;
    bool closing_ = false;
    std::thread encoderThread_;
    std::atomic<int> framesWritten_{0};
    bool finished_ = false;
};

}  // namespace nuvik::host
