#include "user/Painting.h"

#include <algorithm>
#include <vector>

#include "user/WindowTree.h"
#include "win32/constants.h"
#include "win32/platform/DeviceContexts.h"
#include "win32/platform/Framebuffer.h"

namespace win32::user {

namespace {

void SyncPaintFlag(Window* window) {
    bool queued = IsLive(window) && (!window->update.IsEmpty() || window->internalPaint);
    if (queued != window->paintQueued) {
        window->paintQueued = queued;
        AdjustPendingPaints(queued ? 1 : -1);
    }
}

}  // namespace

void InvalidateClient(Window* window, const RectSet& area, bool erase) {
    if (!IsDrawable(window))
        return;
    RectSet inside = area;
    inside.Intersect(ClientRect(window));
    if (inside.IsEmpty())
        return;
    window->update.Add(inside);
    if (erase)
        window->eraseNeeded = true;
    SyncPaintFlag(window);
    // A window that does not clip its children paints over them: what it will repaint they
    // repaint too, after it.
    if (window->style & WS_CLIPCHILDREN)
        return;
    for (Window* child : window->children) {
        RectSet theirs = inside;
        theirs.Translate(-child->rect.left, -child->rect.top);
        InvalidateClient(child, theirs, erase);
    }
}

void InvalidateWhole(Window* window, bool erase, bool children) {
    InvalidateClient(window, RectSet(ClientRect(window)), erase);
    if (children) {
        for (Window* child : window->children)
            InvalidateWhole(child, erase, true);
    }
}

void ValidateClient(Window* window, const RECT* area) {
    if (area == nullptr)
        window->update.Clear();
    else
        window->update.Subtract(*area);
    if (window->update.IsEmpty())
        window->eraseNeeded = false;
    SyncPaintFlag(window);
}

void DropUpdates(Window* window) {
    window->update.Clear();
    window->eraseNeeded = false;
    window->internalPaint = false;
    SyncPaintFlag(window);
    for (Window* child : window->children)
        DropUpdates(child);
}

VisibleSnapshot::VisibleSnapshot() {
    for (Window* window : AllWindows()) {
        if (IsDrawable(window))
            shown_.emplace_back(window->handle, VisibleRegion(window));
    }
}

void VisibleSnapshot::InvalidateGained(const Window* exclude) const {
    for (Window* window : AllWindows()) {
        if ((exclude != nullptr && IsDescendant(window, exclude)) || !IsDrawable(window))
            continue;
        RectSet gained = VisibleRegion(window);
        for (const auto& [handle, before] : shown_) {
            if (handle == window->handle) {
                gained.Subtract(before);
                break;
            }
        }
        if (gained.IsEmpty())
            continue;
        POINT origin = ClientOrigin(window);
        gained.Translate(-origin.x, -origin.y);
        InvalidateClient(window, gained, true);
    }
}

bool TakePaintMessage(const MessageFilter& filter, MSG* msg) {
    for (Window* window : AllWindows()) {
        if (!window->paintQueued || !filter.TakesWindow(window))
            continue;
        *msg = MSG{};
        msg->hwnd = window->handle;
        msg->message = WM_PAINT;
        return true;
    }
    return false;
}

void FinishPaintDispatch(Window* window) {
    if (!IsLive(window) || window->paintedInDispatch)
        return;
    window->internalPaint = false;
    ValidateClient(window, nullptr);
}

// ---- device contexts -------------------------------------------------------------------------

namespace {

struct DcRecord {
    HDC dc = nullptr;
    HWND hwnd = nullptr;  // null: the whole screen
    bool paint = false;   // from BeginPaint: limited to `paintArea`
    bool orphan = false;  // its window is gone: draws nothing
    RectSet paintArea;    // screen coordinates
};

struct DcTable {
    std::vector<DcRecord> records;
    bool listening = false;
};

DcTable& Dcs() {
    static DcTable table;
    return table;
}

void Place(const DcRecord& record, POINT* origin, std::vector<RECT>* clip) {
    *origin = POINT{0, 0};
    clip->clear();
    if (record.orphan)
        return;
    if (record.hwnd == nullptr) {
        clip->push_back(RECT{0, 0, Framebuffer::kWidth, Framebuffer::kHeight});
        return;
    }
    Window* window = Find(record.hwnd);
    if (window == nullptr)
        return;
    *origin = ClientOrigin(window);
    RectSet visible = DrawingRegion(window);
    if (record.paint)
        visible.Intersect(record.paintArea);
    *clip = visible.Rects();
}

void RepaintEverything() {
    RetargetDCs();
    for (Window* top : TopLevels())
        InvalidateWhole(top, true, true);
}

void EnsureModeListener() {
    DcTable& table = Dcs();
    if (table.listening)
        return;
    table.listening = true;
    // The listener lives as long as the process: the window system is never torn down.
    Framebuffer::Instance().AddModeListener(RepaintEverything);
}

}  // namespace

HDC OpenDC(HWND hwnd, bool paint, const RectSet& paintArea) {
    EnsureModeListener();
    DcRecord record;
    record.hwnd = hwnd;
    record.paint = paint;
    record.paintArea = paintArea;
    POINT origin;
    std::vector<RECT> clip;
    Place(record, &origin, &clip);
    record.dc = gdi::CreateTargetDC(Framebuffer::Instance().Buffer(), origin, clip);
    if (record.dc == nullptr)
        return nullptr;
    Dcs().records.push_back(std::move(record));
    return Dcs().records.back().dc;
}

bool CloseDC(HDC dc) {
    auto& records = Dcs().records;
    auto it =
        std::find_if(records.begin(), records.end(), [&](const DcRecord& r) { return r.dc == dc; });
    if (it == records.end())
        return false;
    gdi::DeleteTargetDC(dc);
    records.erase(it);
    return true;
}

HWND WindowOfDC(HDC dc) {
    for (const DcRecord& record : Dcs().records) {
        if (record.dc == dc)
            return record.orphan ? nullptr : record.hwnd;
    }
    return nullptr;
}

void RetargetDCs() {
    const PixelBuffer& screen = Framebuffer::Instance().Buffer();
    for (const DcRecord& record : Dcs().records) {
        POINT origin;
        std::vector<RECT> clip;
        Place(record, &origin, &clip);
        gdi::RetargetDC(record.dc, screen, origin, clip);
    }
}

void OrphanDCs(Window* window) {
    const PixelBuffer& screen = Framebuffer::Instance().Buffer();
    for (DcRecord& record : Dcs().records) {
        if (record.hwnd == window->handle && !record.orphan) {
            record.orphan = true;
            gdi::RetargetDC(record.dc, screen, POINT{0, 0}, {});
        }
    }
}

void ResetPainting() {
    for (const DcRecord& record : Dcs().records)
        gdi::DeleteTargetDC(record.dc);
    Dcs().records.clear();
}

void SetInternalPaint(Window* window, bool on) {
    if (on && !IsDrawable(window))
        return;
    window->internalPaint = on;
    SyncPaintFlag(window);
}

void EraseNow(Window* window) {
    if (!window->eraseNeeded)
        return;
    window->eraseNeeded = false;
    POINT origin = ClientOrigin(window);
    RectSet area = window->update;
    area.Translate(origin.x, origin.y);
    HDC dc = OpenDC(window->handle, true, area);
    if (dc == nullptr)
        return;
    Send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    CloseDC(dc);
}

}  // namespace win32::user
