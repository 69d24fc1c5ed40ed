// MultiByteToWideChar and WideCharToMultiByte over CP949 (the ANSI code page) and UTF-8.
#include <cstring>
#include <string>
#include <string_view>

#include "CodePages.h"
#include "win32/kernel.h"

namespace {

namespace cp = win32::codepages;

constexpr UINT kCpOemcp = 1;
constexpr UINT kCpThreadAcp = 3;
constexpr UINT kCpKorean = 949;
constexpr DWORD kMbErrInvalidChars = 0x00000008;
constexpr DWORD kWcErrInvalidChars = 0x00000080;

enum class Encoding { Cp949, Utf8, Unsupported };

Encoding EncodingOf(UINT codePage) {
    switch (codePage) {
        case CP_ACP:
        case kCpOemcp:
        case kCpThreadAcp:
        case kCpKorean:
            return Encoding::Cp949;
        case CP_UTF8:
            return Encoding::Utf8;
        default:
            return Encoding::Unsupported;
    }
}

// The result size when the caller only asks for it, the size written when it fits, and 0
// (nothing written) when it does not.
template <typename Char>
int Deliver(const std::basic_string<Char>& result, Char* out, int outLength) {
    if (result.size() > static_cast<std::size_t>(INT32_MAX))
        return 0;
    int size = static_cast<int>(result.size());
    if (outLength == 0)
        return size;
    if (size > outLength)
        return 0;
    std::memcpy(out, result.data(), result.size() * sizeof(Char));
    return size;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                        int wideLength) {
    Encoding encoding = EncodingOf(codePage);
    if (encoding == Encoding::Unsupported || text == nullptr || length == 0 || length < -1 ||
        wideLength < 0 || (wideLength > 0 && wide == nullptr)) {
        return 0;
    }
    // -1: the text ends at its zero byte, which is converted too.
    std::size_t size = length == -1 ? std::strlen(text) + 1 : static_cast<std::size_t>(length);
    std::string_view bytes(text, size);
    bool strict = (flags & kMbErrInvalidChars) != 0;
    std::u16string result;
    result.reserve(size);
    while (!bytes.empty()) {
        cp::Decoded d =
            encoding == Encoding::Utf8 ? cp::DecodeUtf8Char(bytes) : cp::DecodeCp949Char(bytes);
        if (!d.valid && strict)
            return 0;
        cp::EncodeUtf16Char(d.codePoint, &result);
        bytes.remove_prefix(static_cast<std::size_t>(d.length));
    }
    return Deliver(result, wide, wideLength);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR text,
                        int length, LPCSTR defaultChar, LPBOOL usedDefault) {
    Encoding encoding = EncodingOf(codePage);
    if (encoding == Encoding::Unsupported || wide == nullptr || wideLength == 0 ||
        wideLength < -1 || length < 0 || (length > 0 && text == nullptr)) {
        return 0;
    }
    // UTF-8 can say everything, so a substitute character makes no sense there.
    if (encoding == Encoding::Utf8 && (defaultChar != nullptr || usedDefault != nullptr))
        return 0;
    std::size_t size = static_cast<std::size_t>(wideLength);
    if (wideLength == -1) {
        size = 0;
        while (wide[size] != 0)
            ++size;
        ++size;
    }
    std::u16string_view units(wide, size);
    bool strict = (flags & kWcErrInvalidChars) != 0;
    std::string substitute = defaultChar != nullptr ? std::string(defaultChar) : std::string("?");
    bool substituted = false;
    std::string result;
    result.reserve(size * 2);
    while (!units.empty()) {
        cp::DecodedWide d = cp::DecodeUtf16Char(units);
        units.remove_prefix(static_cast<std::size_t>(d.length));
        if (!d.valid && strict)
            return 0;
        if (encoding == Encoding::Utf8) {
            cp::EncodeUtf8Char(d.codePoint, &result);
        } else if (!d.valid || !cp::EncodeCp949Char(d.codePoint, &result)) {
            result += substitute;
            substituted = true;
        }
    }
    if (usedDefault != nullptr)
        *usedDefault = substituted ? TRUE : FALSE;
    return Deliver(result, text, length);
}
