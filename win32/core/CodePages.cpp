#include "CodePages.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

namespace win32::codepages {

namespace {

constexpr char32_t kNone = 0xFFFFFFFF;

// CP949 as tables, filled once by asking iconv about every single byte and every byte pair.
// Per-character iconv calls would cost more than the text drawing they serve.
class Cp949Tables {
  public:
    static const Cp949Tables& Instance() {
        static const Cp949Tables tables;
        return tables;
    }

    char32_t Single(unsigned char byte) const { return single_[byte]; }
    bool IsLead(unsigned char byte) const { return lead_[byte]; }
    char32_t Pair(unsigned char lead, unsigned char trail) const {
        return pairs_[static_cast<std::size_t>(lead) * 256 + trail];
    }
    // The CP949 bytes of a code point: one byte (< 0x100) or lead << 8 | trail; kNone if none.
    std::uint32_t Encode(char32_t codePoint) const {
        auto it = encode_.find(codePoint);
        return it == encode_.end() ? kNone : it->second;
    }

  private:
    Cp949Tables() : pairs_(256 * 256, kNone) {
        single_.fill(kNone);
        lead_.fill(false);
        iconv_t cd = iconv_open("UTF-32LE", "CP949");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            std::fprintf(stderr, "win32: iconv has no CP949; only ASCII text will survive\n");
            for (unsigned b = 0; b < 0x80; ++b) {
                single_[b] = b;
                encode_.emplace(b, b);
            }
            return;
        }
        for (unsigned b = 0; b < 256; ++b) {
            const char bytes[1] = {static_cast<char>(b)};
            int error = 0;
            char32_t cp = Convert(cd, bytes, 1, &error);
            if (cp != kNone) {
                single_[b] = cp;
                encode_.emplace(cp, b);
            } else if (error == EINVAL) {
                lead_[b] = true;  // an incomplete sequence: the first byte of a pair
            }
        }
        for (unsigned lead = 0; lead < 256; ++lead) {
            if (!lead_[lead])
                continue;
            // No CP949 pair has a second byte outside 0x41..0xFE.
            for (unsigned trail = 0x41; trail <= 0xFE; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                int error = 0;
                char32_t cp = Convert(cd, bytes, 2, &error);
                if (cp == kNone)
                    continue;
                pairs_[lead * 256 + trail] = cp;
                encode_.emplace(cp, lead << 8 | trail);  // the first (lowest) pair wins
            }
        }
        iconv_close(cd);
    }

    // Exactly one code point from exactly `size` bytes, or kNone with `error` set.
    static char32_t Convert(iconv_t cd, const char* bytes, std::size_t size, int* error) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char input[2] = {bytes[0], size > 1 ? bytes[1] : '\0'};
        unsigned char output[8] = {};
        char* in = input;
        std::size_t inLeft = size;
        char* out = reinterpret_cast<char*>(output);
        std::size_t outLeft = sizeof output;
        if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            *error = errno;
            return kNone;
        }
        if (inLeft != 0 || sizeof output - outLeft != 4) {
            *error = EILSEQ;
            return kNone;
        }
        return static_cast<char32_t>(output[0] | output[1] << 8 | output[2] << 16 |
                                     static_cast<std::uint32_t>(output[3]) << 24);
    }

    std::array<char32_t, 256> single_;
    std::array<bool, 256> lead_;
    std::vector<char32_t> pairs_;
    std::unordered_map<char32_t, std::uint32_t> encode_;
};

bool IsSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
}

}  // namespace

Decoded DecodeCp949Char(std::string_view bytes) {
    const Cp949Tables& tables = Cp949Tables::Instance();
    auto first = static_cast<unsigned char>(bytes[0]);
    if (tables.Single(first) != kNone)
        return {tables.Single(first), 1, true};
    if (tables.IsLead(first) && bytes.size() >= 2) {
        char32_t cp = tables.Pair(first, static_cast<unsigned char>(bytes[1]));
        if (cp != kNone)
            return {cp, 2, true};
    }
    return {kReplacement, 1, false};
}

bool EncodeCp949Char(char32_t codePoint, std::string* out) {
    std::uint32_t bytes = Cp949Tables::Instance().Encode(codePoint);
    if (bytes == kNone)
        return false;
    if (bytes > 0xFF)
        out->push_back(static_cast<char>(bytes >> 8));
    out->push_back(static_cast<char>(bytes & 0xFF));
    return true;
}

Decoded DecodeUtf8Char(std::string_view bytes) {
    auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    unsigned char first = byteAt(0);
    if (first < 0x80)
        return {first, 1, true};
    int length;
    char32_t cp;
    char32_t minimum;
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        cp = first & 0x1F;
        minimum = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        cp = first & 0x0F;
        minimum = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        cp = first & 0x07;
        minimum = 0x10000;
    } else {
        return {kReplacement, 1, false};
    }
    if (bytes.size() < static_cast<std::size_t>(length))
        return {kReplacement, 1, false};
    for (int i = 1; i < length; ++i) {
        unsigned char next = byteAt(static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80)
            return {kReplacement, 1, false};
        cp = cp << 6 | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || IsSurrogate(cp))
        return {kReplacement, 1, false};
    return {cp, length, true};
}

void EncodeUtf8Char(char32_t cp, std::string* out) {
    if (cp > 0x10FFFF || IsSurrogate(cp))
        cp = kReplacement;
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | cp >> 6));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | cp >> 12));
        out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | cp >> 18));
        out->push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

DecodedWide DecodeUtf16Char(std::u16string_view units) {
    char16_t first = units[0];
    if (!IsSurrogate(first))
        return {first, 1, true};
    if (first <= 0xDBFF && units.size() >= 2 && units[1] >= 0xDC00 && units[1] <= 0xDFFF) {
        char32_t cp = 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) +
                      (static_cast<char32_t>(units[1]) - 0xDC00);
        return {cp, 2, true};
    }
    return {kReplacement, 1, false};
}

void EncodeUtf16Char(char32_t cp, std::u16string* out) {
    if (cp > 0x10FFFF || IsSurrogate(cp))
        cp = kReplacement;
    if (cp < 0x10000) {
        out->push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out->push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out->push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

std::u32string DecodeCp949(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        Decoded d = DecodeCp949Char(bytes);
        text.push_back(d.codePoint);
        bytes.remove_prefix(static_cast<std::size_t>(d.length));
    }
    return text;
}

std::u32string DecodeUtf8(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        Decoded d = DecodeUtf8Char(bytes);
        text.push_back(d.codePoint);
        bytes.remove_prefix(static_cast<std::size_t>(d.length));
    }
    return text;
}

std::string EncodeUtf8(std::u32string_view codePoints) {
    std::string text;
    text.reserve(codePoints.size());
    for (char32_t cp : codePoints)
        EncodeUtf8Char(cp, &text);
    return text;
}

std::string EncodeCp949(std::u32string_view codePoints) {
    std::string text;
    text.reserve(codePoints.size() * 2);
    for (char32_t cp : codePoints) {
        if (!EncodeCp949Char(cp, &text))
            text.push_back('?');
    }
    return text;
}

}  // namespace win32::codepages
