#include "gdi/ObjectTable.h"

namespace win32::gdi {

namespace {

// value = generation << 20 | (slot + 1) << 4 | kind. Small values (1 to 31) are left to the
// "(HBRUSH)(COLOR_x + 1)" convention and never collide: generations start at 1.
constexpr std::uintptr_t kKindBits = 4;
constexpr std::uintptr_t kSlotBits = 16;
constexpr std::size_t kMaxSlots = (std::size_t{1} << kSlotBits) - 1;
constexpr std::uint32_t kMaxGeneration = (1u << (31 - kKindBits - kSlotBits)) - 1;

std::uintptr_t Encode(std::size_t index, std::uint32_t generation, ObjectKind kind) {
    return (static_cast<std::uintptr_t>(generation) << (kKindBits + kSlotBits)) |
           (static_cast<std::uintptr_t>(index + 1) << kKindBits) |
           static_cast<std::uintptr_t>(kind);
}

}  // namespace

ObjectTable& ObjectTable::Instance() {
    // Never destroyed: objects still alive at exit (a context a program never released) would
    // otherwise call back into a table that is being torn down.
    static ObjectTable* table = new ObjectTable;
    return *table;
}

void* ObjectTable::Add(std::unique_ptr<GdiObject> object) {
    std::size_t index;
    if (!free_.empty()) {
        // Oldest first: a slot comes back as late as possible, so a stale handle is refused
        // for as long as possible.
        index = free_.front();
        free_.pop_front();
    } else {
        if (slots_.size() >= kMaxSlots)
            return nullptr;
        index = slots_.size();
        slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    // Handles stay below 2^31, so that they survive a round trip through a 32-bit LONG.
    slot.generation = (slot.generation % kMaxGeneration) + 1;
    ObjectKind kind = object->Kind();
    slot.object = std::move(object);
    ++live_;
    return reinterpret_cast<void*>(Encode(index, slot.generation, kind));
}

bool ObjectTable::Decode(const void* handle, std::size_t* index) const {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    std::uintptr_t slotPart = (value >> kKindBits) & ((std::uintptr_t{1} << kSlotBits) - 1);
    if (slotPart == 0 || slotPart > slots_.size())
        return false;
    const Slot& slot = slots_[slotPart - 1];
    if (!slot.object)
        return false;
    if (value != Encode(slotPart - 1, slot.generation, slot.object->Kind()))
        return false;
    *index = slotPart - 1;
    return true;
}

GdiObject* ObjectTable::Find(const void* handle) const {
    std::size_t index;
    if (!Decode(handle, &index))
        return nullptr;
    return slots_[index].object.get();
}

void ObjectTable::Remove(const void* handle) {
    std::size_t index;
    if (!Decode(handle, &index) || slots_[index].object->stock)
        return;
    // Destroy after the slot is cleared: a destructor may release further handles.
    std::unique_ptr<GdiObject> doomed = std::move(slots_[index].object);
    free_.push_back(index);
    --live_;
    doomed.reset();
}

void ObjectTable::Retain(const void* handle) {
    if (GdiObject* object = Find(handle))
        ++object->references;
}

void ObjectTable::Release(const void* handle) {
    GdiObject* object = Find(handle);
    if (object == nullptr || object->references <= 0)
        return;
    if (--object->references == 0 && object->deletePending)
        Remove(handle);
}

}  // namespace win32::gdi
