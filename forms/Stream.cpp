#include "forms/Stream.h"

#include <algorithm>
#include <cstring>

#include "forms/Exception.h"

namespace forms {

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw Exception("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw Exception("Stream write error");
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    std::size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    std::size_t n = std::min(count, available);
    if (n != 0)
        std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0)
        return 0;
    if (position_ + count > bytes_.size())
        bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

void TMemoryStream::SetPosition(std::size_t position) {
    position_ = std::min(position, bytes_.size());
}

}  // namespace forms
