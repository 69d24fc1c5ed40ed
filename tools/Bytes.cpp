#include "tools/Bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace nuvik::tools {

void ByteWriter::U8(std::uint32_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void ByteWriter::U16(std::uint32_t value) {
    U8(value);
    U8(value >> 8);
}

void ByteWriter::U32(std::uint32_t value) {
    U16(value);
    U16(value >> 16);
}

void ByteWriter::Append(const Bytes& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
}

std::uint16_t ReadU16(const Bytes& bytes, std::size_t at) {
    if (at + 2 > bytes.size())
        throw std::out_of_range("read past the end of the data");
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t ReadU32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(ReadU16(bytes, at)) |
           (static_cast<std::uint32_t>(ReadU16(bytes, at + 2)) << 16);
}

bool WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes, std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        *error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::filesystem::path& path, Bytes* bytes, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        *error = "cannot read " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace nuvik::tools
