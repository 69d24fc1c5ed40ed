// The object behind HDC: where it draws (a caller's pixel memory or a selected bitmap), its
// clip region, its selected objects and attributes, and the states kept by SaveDC.
#pragma once

#include <vector>

#include "core/RectSet.h"
#include "gdi/ObjectTable.h"
#include "gdi/Surface.h"
#include "win32/gdi.h"

namespace win32::gdi {

struct DcState {
    HBITMAP bitmap = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int stretchMode = 1;  // BLACKONWHITE
    POINT position{0, 0};
    POINT viewport{0, 0};
    POINT brushOrigin{0, 0};
    // Set by IntersectClipRect / ExcludeClipRect, in target pixel coordinates.
    bool hasUserClip = false;
    RectSet userClip;
};

class DeviceContext : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::DeviceContext;
    enum class Type { Target, Memory };

    explicit DeviceContext(Type type);
    ~DeviceContext() override;

    Type type() const { return type_; }

    // Where drawing lands and where it may land (cached until Invalidate).
    const Surface& Target();
    const RectSet& Clip();
    // Logical to target pixel coordinates.
    POINT Offset() const;
    RECT ToDevice(const RECT& logical) const;
    // Call after the target, the selected bitmap, the origin or the user clip changed.
    void Invalidate() { cacheValid_ = false; }
    // Tells the host that pixels of the screen changed (target pixel coordinates).
    void NoteDrawn(const RECT& deviceRect);

    // Target DCs.
    void SetTarget(const PixelBuffer& target, POINT origin, const std::vector<RECT>& clip);
    const PixelBuffer& TargetBuffer() const { return targetBuffer_; }

    // Puts `handle` into the current state, returns what it replaced (null on failure).
    HGDIOBJ Select(HGDIOBJ handle);
    int Save();
    bool Restore(int level);

    DcState state;

  private:
    void Hold(const DcState& s);
    void Drop(const DcState& s);
    static void DropObject(void* handle);

    Type type_;
    PixelBuffer targetBuffer_;
    POINT targetOrigin_{0, 0};
    std::vector<RECT> targetClip_;
    std::vector<DcState> saved_;

    bool cacheValid_ = false;
    Surface surface_;
    RectSet clip_;
};

DeviceContext* FindDC(HDC dc);

}  // namespace win32::gdi
