// Byte streams for defined properties: a component reads and writes its binary form data
// through them.
#pragma once

#include <cstddef>
#include <vector>

#include "forms/Object.h"
#include "win32/api.h"

namespace forms {

class TStream : public TObject {
  public:
    // Up to `count` bytes; returns how many were transferred.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    virtual std::size_t Position() const = 0;
    virtual void SetPosition(std::size_t position) = 0;
    virtual std::size_t Size() const = 0;

    // Exactly `count` bytes, or forms::Exception ("Stream read error").
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
};

class TMemoryStream : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::size_t Position() const override { return position_; }
    void SetPosition(std::size_t position) override;
    std::size_t Size() const override { return bytes_.size(); }

    const std::vector<BYTE>& Bytes() const { return bytes_; }

  private:
    std::vector<BYTE> bytes_;
    std::size_t position_ = 0;
};

}  // namespace forms
