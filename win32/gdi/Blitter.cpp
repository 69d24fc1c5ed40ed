#include "gdi/Blitter.h"

#include <algorithm>
#include <vector>

namespace win32::gdi {

namespace {

// Source raw values to destination raw values.
class Converter {
  public:
    Converter(const Surface& src, const Surface& dst)
        : identity_(src.SameLayout(dst)), srcCodec_(src), dstCodec_(dst) {
        if (!identity_ && src.IsIndexed()) {
            table_.resize(static_cast<std::size_t>(1) << src.bitsPerPixel);
            for (std::size_t i = 0; i < table_.size(); ++i)
                table_[i] = dstCodec_.Pack(srcCodec_.Unpack(static_cast<DWORD>(i)));
        }
    }
    DWORD operator()(DWORD raw) const {
        if (identity_)
            return raw;
        if (!table_.empty())
            return table_[raw & (table_.size() - 1)];
        return dstCodec_.Pack(srcCodec_.Unpack(raw));
    }
    bool Identity() const { return identity_; }

  private:
    bool identity_;
    PixelCodec srcCodec_;
    PixelCodec dstCodec_;
    std::vector<DWORD> table_;
};

// Whether a source raw value is the transparent colour, judged in the source's own layout.
class KeyTest {
  public:
    KeyTest(const Surface& src, bool keyed, COLORREF key) : keyed_(keyed) {
        if (!keyed)
            return;
        PixelCodec codec(src);
        if (src.IsIndexed()) {
            matches_.resize(static_cast<std::size_t>(1) << src.bitsPerPixel);
            for (std::size_t i = 0; i < matches_.size(); ++i)
                matches_[i] = (codec.Unpack(static_cast<DWORD>(i)) == (key & 0x00FFFFFF));
        } else {
            mask_ = src.ColorMask();
            value_ = codec.Pack(key) & mask_;
        }
    }
    bool operator()(DWORD raw) const {
        if (!keyed_)
            return false;
        if (!matches_.empty())
            return matches_[raw & (matches_.size() - 1)];
        return (raw & mask_) == value_;
    }

  private:
    bool keyed_;
    std::vector<bool> matches_;
    DWORD mask_ = 0;
    DWORD value_ = 0;
};

struct Context {
    const Surface& dst;
    const Surface* src;
    const BlitSpec& spec;
    Converter* convert;
    KeyTest* isKey;
    DWORD mask;
};

void Plot(const Context& c, int x, int y, DWORD srcRaw) {
    if ((*c.isKey)(srcRaw))
        return;
    DWORD s = (*c.convert)(srcRaw);
    if (c.spec.rop3 == 0xCC) {
        WriteRaw(c.dst, x, y, s);
        return;
    }
    DWORD d = ReadRaw(c.dst, x, y);
    WriteRaw(c.dst, x, y, ApplyRop3(c.spec.rop3, c.spec.pattern, s, d) & c.mask);
}

// Equal sizes, no mirroring: `piece` is already limited to pixels that have a source pixel.
void CopyPiece(const Context& c, const RECT& piece) {
    const Box& d = c.spec.dst;
    const Box& s = c.spec.src;
    // The offsets may exceed int (far-off rectangles); the source pixels they lead to, within
    // the source after clipping, do not.
    std::int64_t dx = s.left - d.left;
    std::int64_t dy = s.top - d.top;
    const Surface& src = *c.src;
    bool sameMemory = src.bits == c.dst.bits;
    // Overlapping copies within one surface run against the direction of the move.
    bool upward = sameMemory && dy < 0;
    bool leftward = sameMemory && dy == 0 && dx < 0;
    int bytesPerPixel = c.dst.bitsPerPixel / 8;
    bool rowCopy =
        c.spec.rop3 == 0xCC && !c.spec.keyed && c.convert->Identity() && c.dst.bitsPerPixel >= 8;
    int width = piece.right - piece.left;
    for (int i = 0; i < piece.bottom - piece.top; ++i) {
        int y = upward ? piece.bottom - 1 - i : piece.top + i;
        auto sy = static_cast<int>(y + dy);
        if (rowCopy) {
            std::memmove(c.dst.Row(y) + static_cast<std::ptrdiff_t>(piece.left) * bytesPerPixel,
                         src.Row(sy) + static_cast<std::ptrdiff_t>(piece.left + dx) * bytesPerPixel,
                         static_cast<std::size_t>(width) * bytesPerPixel);
            continue;
        }
        for (int j = 0; j < width; ++j) {
            int x = leftward ? piece.right - 1 - j : piece.left + j;
            Plot(c, x, y, ReadRaw(src, static_cast<int>(x + dx), sy));
        }
    }
}

// Source coordinate of each destination coordinate in [from, to), nearest pixel; -1 where the
// source has no pixel.
std::vector<int> MapAxis(int from, int to, std::int64_t dstStart, std::int64_t dstLength,
                         std::int64_t srcStart, std::int64_t srcLength, bool mirror, int srcLimit) {
    std::vector<int> map(static_cast<std::size_t>(to - from));
    for (int i = from; i < to; ++i) {
        // dstLength and srcLength are at most about 2^32, so the product fits in 64 bits.
        std::int64_t offset = ((i - dstStart) * srcLength) / dstLength;
        std::int64_t source = mirror ? srcStart + srcLength - 1 - offset : srcStart + offset;
        map[static_cast<std::size_t>(i - from)] =
            (source >= 0 && source < srcLimit) ? static_cast<int>(source) : -1;
    }
    return map;
}

void StretchPiece(const Context& c, const RECT& piece) {
    const Box& d = c.spec.dst;
    const Box& s = c.spec.src;
    std::vector<int> xs = MapAxis(piece.left, piece.right, d.left, d.Width(), s.left, s.Width(),
                                  c.spec.mirrorX, c.src->width);
    std::vector<int> ys = MapAxis(piece.top, piece.bottom, d.top, d.Height(), s.top, s.Height(),
                                  c.spec.mirrorY, c.src->height);
    for (int y = piece.top; y < piece.bottom; ++y) {
        int sy = ys[static_cast<std::size_t>(y - piece.top)];
        if (sy < 0)
            continue;
        for (int x = piece.left; x < piece.right; ++x) {
            int sx = xs[static_cast<std::size_t>(x - piece.left)];
            if (sx >= 0)
                Plot(c, x, y, ReadRaw(*c.src, sx, sy));
        }
    }
}

void PatternPiece(const Surface& dst, const BlitSpec& spec, const RECT& piece, DWORD mask) {
    for (int y = piece.top; y < piece.bottom; ++y) {
        if (spec.rop3 == 0xF0) {
            FillSpan(dst, y, piece.left, piece.right, spec.pattern);
            continue;
        }
        for (int x = piece.left; x < piece.right; ++x) {
            DWORD d = ReadRaw(dst, x, y);
            WriteRaw(dst, x, y, ApplyRop3(spec.rop3, spec.pattern, 0, d) & mask);
        }
    }
}

}  // namespace

RECT Blit(const Surface& dst, const RectSet& clip, const Surface* src, const BlitSpec& spec) {
    RECT touched{0, 0, 0, 0};
    if (dst.IsEmpty() || spec.dst.IsEmpty() || spec.rop3 == 0xAA)
        return touched;
    bool readsSource = Rop3UsesSource(spec.rop3);
    if (readsSource && (src == nullptr || src->IsEmpty() || spec.src.IsEmpty()))
        return touched;
    DWORD mask = dst.ValueMask();

    if (!readsSource) {
        for (const RECT& c : clip) {
            RECT piece = ClipBox(spec.dst, c);
            if (IsEmptyRect(piece))
                continue;
            PatternPiece(dst, spec, piece, mask);
            touched = BoundingUnion(touched, piece);
        }
        return touched;
    }

    Converter convert(*src, dst);
    KeyTest isKey(*src, spec.keyed, spec.key);
    Context context{dst, src, spec, &convert, &isKey, mask};
    bool equalSize = spec.dst.Width() == spec.src.Width() &&
                     spec.dst.Height() == spec.src.Height() && !spec.mirrorX && !spec.mirrorY;
    for (const RECT& c : clip) {
        RECT piece = ClipBox(spec.dst, c);
        if (equalSize) {
            // Only where the source has pixels.
            Box available{spec.dst.left - spec.src.left, spec.dst.top - spec.src.top,
                          spec.dst.left - spec.src.left + src->width,
                          spec.dst.top - spec.src.top + src->height};
            piece = ClipBox(available, piece);
        }
        if (IsEmptyRect(piece))
            continue;
        if (equalSize)
            CopyPiece(context, piece);
        else
            StretchPiece(context, piece);
        touched = BoundingUnion(touched, piece);
    }
    return touched;
}

}  // namespace win32::gdi
