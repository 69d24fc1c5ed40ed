// Little-endian byte building and whole-file reading and writing for the asset generators.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace nuvik::tools {

using Bytes = std::vector<std::uint8_t>;

// Appends fields in the little-endian order of the Windows file formats.
class ByteWriter {
  public:
    void U8(std::uint32_t value);
    void U16(std::uint32_t value);
    void U32(std::uint32_t value);
    void Append(const Bytes& more);
    std::size_t Size() const { return bytes_.size(); }
    Bytes Take() { return std::move(bytes_); }

  private:
    Bytes bytes_;
};

std::uint16_t ReadU16(const Bytes& bytes, std::size_t at);
std::uint32_t ReadU32(const Bytes& bytes, std::size_t at);

// False with `error` naming the file and the reason.
bool WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes, std::string* error);
bool ReadWholeFile(const std::filesystem::path& path, Bytes* bytes, std::string* error);

}  // namespace nuvik::tools
