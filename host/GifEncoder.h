// Writes an animated GIF frame by frame through giflib: a looping animation whose frames are
// rectangles of 0x00RRGGBB pixels drawn over what the previous frames left (nothing is disposed).
// A frame of at most 256 colours keeps them exactly; one with more is mapped onto a fixed
// 6x7x6 colour cube, so that the same pixels always give the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct GifFileType;

namespace nuvik::host {

struct GifRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

class GifEncoder {
  public:
    // The longest delay one GIF frame can carry, in 1/100 s.
    static constexpr std::uint32_t kMaxDelayCs = 65535;

    // Null with `error` set ("cannot write recording PATH: reason") when the file cannot be
    // opened or its header cannot be written.
    static std::unique_ptr<GifEncoder> Open(const std::string& path, int width, int height,
                                            std::string* error);
    ~GifEncoder();
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    // `pixels` holds rect.width * rect.height pixels row after row. A delay longer than one
    // frame can carry continues in one-pixel frames that change nothing. After a failure every
    // further call does nothing; Close reports the first failure.
    void PutFrame(const GifRect& rect, const std::uint32_t* pixels, std::uint32_t delayCs);
    // Writes the trailer and closes the file; false with `error` when any write failed.
    bool Close(std::string* error);
    int FramesWritten() const { return framesWritten_; }

  private:
    GifEncoder() = default;
    static int Output(GifFileType* gif, const std::uint8_t* bytes, int length);
    void PutImage(const GifRect& rect, const std::uint32_t* pixels, std::uint32_t delayCs);
    void Fail(int gifError);

    std::string path_;
    std::FILE* file_ = nullptr;
    GifFileType* gif_ = nullptr;
    int writeErrno_ = 0;  // errno of the first failed write, 0 if none
    std::string failure_;
    int framesWritten_ = 0;
    std::vector<std::uint8_t> indices_;
};

}  // namespace nuvik::host
