#include "gdi/DeviceContext.h"

#include <algorithm>
#include <cstdint>

#include "gdi/Bitmap.h"
#include "gdi/GdiObjects.h"
#include "gdi/StockObjects.h"

namespace win32::gdi {

DeviceContext* FindDC(HDC dc) {
    return ObjectTable::Instance().FindAs<DeviceContext>(dc);
}

DeviceContext::DeviceContext(Type type) : GdiObject(kKind), type_(type) {
    state.brush = static_cast<HBRUSH>(StockObject(WHITE_BRUSH));
    state.pen = static_cast<HPEN>(StockObject(BLACK_PEN));
    state.font = static_cast<HFONT>(StockObject(SYSTEM_FONT));
    if (type_ == Type::Memory)
        state.bitmap = DefaultBitmap();
    Hold(state);
}

DeviceContext::~DeviceContext() {
    Drop(state);
    for (const DcState& s : saved_)
        Drop(s);
}

void DeviceContext::Hold(const DcState& s) {
    ObjectTable& table = ObjectTable::Instance();
    for (void* handle : {static_cast<void*>(s.bitmap), static_cast<void*>(s.brush),
                         static_cast<void*>(s.pen), static_cast<void*>(s.font)}) {
        table.Retain(handle);
    }
}

void DeviceContext::DropObject(void* handle) {
    ObjectTable& table = ObjectTable::Instance();
    if (Bitmap* bitmap = table.FindAs<Bitmap>(handle)) {
        if (!bitmap->stock && bitmap->references <= 1)
            bitmap->selectedIn = nullptr;
    }
    table.Release(handle);
}

void DeviceContext::Drop(const DcState& s) {
    for (void* handle : {static_cast<void*>(s.bitmap), static_cast<void*>(s.brush),
                         static_cast<void*>(s.pen), static_cast<void*>(s.font)}) {
        DropObject(handle);
    }
}

const Surface& DeviceContext::Target() {
    if (!cacheValid_)
        Clip();
    return surface_;
}

const RectSet& DeviceContext::Clip() {
    if (cacheValid_)
        return clip_;
    surface_ = Surface{};
    clip_.Clear();
    if (type_ == Type::Target) {
        int bpp = targetBuffer_.format.bitsPerPixel;
        if (targetBuffer_.bits != nullptr && (bpp == 16 || bpp == 24 || bpp == 32)) {
            surface_ = Surface::FromBuffer(targetBuffer_);
            clip_ = RectSet::Covering(targetClip_, surface_.Bounds());
        }
    } else if (Bitmap* bitmap = ObjectTable::Instance().FindAs<Bitmap>(state.bitmap)) {
        surface_ = bitmap->surface;
        clip_ = RectSet{surface_.Bounds()};
    }
    if (state.hasUserClip) {
        // The user's rectangles lead, as drawing meets the pieces in this order.
        RectSet both = state.userClip;
        both.Intersect(clip_);
        clip_ = std::move(both);
    }
    cacheValid_ = true;
    return clip_;
}

namespace {

// Far outside any target but with room to spare: sums of such values never overflow a LONG.
constexpr std::int64_t kReach = std::int64_t{1} << 30;

LONG Saturate(std::int64_t value) {
    return static_cast<LONG>(std::clamp(value, -kReach, kReach));
}

}  // namespace

POINT DeviceContext::Offset() const {
    POINT origin = type_ == Type::Target ? targetOrigin_ : POINT{0, 0};
    return POINT{Saturate(std::int64_t{origin.x} + state.viewport.x),
                 Saturate(std::int64_t{origin.y} + state.viewport.y)};
}

RECT DeviceContext::ToDevice(const RECT& logical) const {
    POINT o = Offset();
    return RECT{
        Saturate(std::int64_t{logical.left} + o.x), Saturate(std::int64_t{logical.top} + o.y),
        Saturate(std::int64_t{logical.right} + o.x), Saturate(std::int64_t{logical.bottom} + o.y)};
}

void DeviceContext::NoteDrawn(const RECT& deviceRect) {
    if (type_ != Type::Target || IsEmptyRect(deviceRect))
        return;
    Framebuffer& screen = Framebuffer::Instance();
    if (targetBuffer_.bits == screen.Buffer().bits)
        screen.MarkDirty(deviceRect);
}

void DeviceContext::SetTarget(const PixelBuffer& target, POINT origin,
                              const std::vector<RECT>& clip) {
    targetBuffer_ = target;
    targetOrigin_ = origin;
    targetClip_ = clip;
    Invalidate();
}

HGDIOBJ DeviceContext::Select(HGDIOBJ handle) {
    ObjectTable& table = ObjectTable::Instance();
    GdiObject* object = table.Find(handle);
    if (object == nullptr || object->deletePending)
        return nullptr;
    void** slot = nullptr;
    switch (object->Kind()) {
        case ObjectKind::Brush:
            slot = reinterpret_cast<void**>(&state.brush);
            break;
        case ObjectKind::Pen:
            slot = reinterpret_cast<void**>(&state.pen);
            break;
        case ObjectKind::Font:
            slot = reinterpret_cast<void**>(&state.font);
            break;
        case ObjectKind::Bitmap: {
            if (type_ != Type::Memory)
                return nullptr;
            auto* bitmap = static_cast<Bitmap*>(object);
            // A bitmap is drawn through one device context at a time (the stock 1 x 1
            // bitmap of fresh memory contexts excepted).
            if (!bitmap->stock) {
                if (bitmap->selectedIn != nullptr && bitmap->selectedIn != this)
                    return nullptr;
                bitmap->selectedIn = this;
            }
            slot = reinterpret_cast<void**>(&state.bitmap);
            break;
        }
        case ObjectKind::DeviceContext:
            return nullptr;
    }
    void* previous = *slot;
    if (previous == handle)
        return handle;
    table.Retain(handle);
    *slot = handle;
    if (object->Kind() == ObjectKind::Bitmap)
        Invalidate();
    DropObject(previous);
    // The previous object may be gone now (deleted while selected); its handle is still what
    // the caller gets back, as GDI does, and it no longer resolves.
    return previous;
}

int DeviceContext::Save() {
    saved_.push_back(state);
    Hold(state);
    return static_cast<int>(saved_.size());
}

bool DeviceContext::Restore(int level) {
    int count = static_cast<int>(saved_.size());
    int target = level < 0 ? count + 1 + level : level;
    if (target < 1 || target > count)
        return false;
    Drop(state);
    state = saved_[static_cast<std::size_t>(target - 1)];
    for (int i = count - 1; i >= target; --i)
        Drop(saved_[static_cast<std::size_t>(i)]);
    saved_.resize(static_cast<std::size_t>(target - 1));
    // The bitmap that comes back belongs to this context again.
    Bitmap* bitmap = ObjectTable::Instance().FindAs<Bitmap>(state.bitmap);
    if (bitmap != nullptr && !bitmap->stock)
        bitmap->selectedIn = this;
    Invalidate();
    return true;
}

}  // namespace win32::gdi
