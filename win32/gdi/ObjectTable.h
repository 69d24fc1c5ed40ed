// The table behind every GDI handle. A handle encodes a slot, the slot's generation and the
// object's kind, so that a stale or forged handle is refused instead of dereferenced, and a
// deleted handle stays invalid even when its slot is reused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "win32/types.h"

namespace win32::gdi {

enum class ObjectKind : std::uint8_t {
    DeviceContext = 1,
    Bitmap = 2,
    Brush = 3,
    Pen = 4,
    Font = 5,
};

class GdiObject {
  public:
    explicit GdiObject(ObjectKind kind) : kind_(kind) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    ObjectKind Kind() const { return kind_; }

    bool stock = false;
    // References held by device contexts (selected, or kept by SaveDC). An object deleted
    // while referenced goes away when the last reference is dropped.
    int references = 0;
    bool deletePending = false;

  private:
    ObjectKind kind_;
};

class ObjectTable {
  public:
    static ObjectTable& Instance();

    // Takes ownership; returns the new handle, or null when the table is full.
    void* Add(std::unique_ptr<GdiObject> object);
    GdiObject* Find(const void* handle) const;
    template <typename T>
    T* FindAs(const void* handle) const {
        GdiObject* object = Find(handle);
        if (object == nullptr || object->Kind() != T::kKind)
            return nullptr;
        return static_cast<T*>(object);
    }
    // Destroys the object (stock objects are never destroyed).
    void Remove(const void* handle);
    // A device context starts or stops referring to the object behind `handle`.
    void Retain(const void* handle);
    void Release(const void* handle);

    std::size_t LiveCount() const { return live_; }

  private:
    ObjectTable() = default;
    struct Slot {
        std::uint32_t generation = 0;
        std::unique_ptr<GdiObject> object;
    };
    bool Decode(const void* handle, std::size_t* index) const;

    std::vector<Slot> slots_;
    std::deque<std::size_t> free_;
    std::size_t live_ = 0;
};

}  // namespace win32::gdi
