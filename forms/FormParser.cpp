#include "forms/FormParser.h"

#include <limits>

#include "forms/Exception.h"
#include "forms/Text.h"

namespace forms {

namespace {

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsIdentChar(char c) {
    return IsIdentStart(c) || IsDigit(c);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

class Parser {
  public:
    Parser(std::string_view text, const std::string& resource) : text_(text), resource_(resource) {}

    TFormObject ParseRoot() {
        SkipSpace();
        if (AtEnd())
            Fail("the form resource is empty");
        TFormObject root = ParseObject(1);
        SkipSpace();
        if (!AtEnd())
            Fail("text after the end of the form");
        return root;
    }

  private:
    [[noreturn]] void Fail(const std::string& problem) const {
        throw EReadError(resource_, line_, problem);
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }

    void SkipSpace() {
        while (!AtEnd()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                break;
            }
            ++pos_;
        }
    }

    // Skips blanks but not the end of the line.
    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t'))
            ++pos_;
    }

    std::string ReadIdent(const char* what) {
        if (AtEnd() || !IsIdentStart(Peek()))
            Fail(std::string("expected ") + what);
        std::size_t start = pos_;
        while (!AtEnd() && IsIdentChar(Peek()))
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    // A property name: identifiers joined by dots.
    std::string ReadPropertyName() {
        std::string name = ReadIdent("a property name");
        while (Peek() == '.') {
            ++pos_;
            name += '.';
            name += ReadIdent("a property name after the dot");
        }
        return name;
    }

    void Expect(char c, const char* what) {
        SkipBlanks();
        if (Peek() != c)
            Fail(std::string("expected ") + what);
        ++pos_;
    }

    // After a value or a header, only the end of the line may follow.
    void ExpectLineEnd() {
        SkipBlanks();
        if (Peek() == '\r')
            ++pos_;
        if (!AtEnd() && Peek() != '\n')
            Fail("unexpected text after the value");
    }

    bool NextWordIs(std::string_view word) const {
        if (text_.size() - pos_ < word.size())
            return false;
        if (!SameText(text_.substr(pos_, word.size()), word))
            return false;
        return pos_ + word.size() == text_.size() || !IsIdentChar(text_[pos_ + word.size()]);
    }

    TFormObject ParseObject(int depth) {
        if (depth > kMaxFormNesting)
            Fail("objects nested too deeply");
        if (!NextWordIs("object"))
            Fail("expected 'object'");
        TFormObject object;
        object.line = line_;
        pos_ += 6;
        SkipBlanks();
        object.name = ReadIdent("the object's name");
        Expect(':', "':' after the object's name");
        SkipBlanks();
        object.className = ReadIdent("the object's class");
        ExpectLineEnd();
        while (true) {
            SkipSpace();
            if (AtEnd())
                Fail("missing 'end' of object " + object.name);
            if (NextWordIs("end")) {
                pos_ += 3;
                ExpectLineEnd();
                return object;
            }
            if (NextWordIs("object")) {
                object.children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (!object.children.empty())
                Fail("property after a nested object");
            object.properties.push_back(ParseProperty());
        }
    }

    TFormProperty ParseProperty() {
        TFormProperty property;
        property.line = line_;
        property.name = ReadPropertyName();
        Expect('=', "'=' after the property name");
        SkipBlanks();
        property.value = ParseValue();
        ExpectLineEnd();
        return property;
    }

    TValue ParseValue() {
        char c = Peek();
        if (c == '-' || c == '+' || IsDigit(c))
            return ParseInteger();
        if (c == '\'' || c == '#')
            return ParseString();
        if (c == '[')
            return ParseSet();
        if (c == '{')
            return ParseBinary();
        if (IsIdentStart(c)) {
            TValue value;
            value.kind = TValue::Kind::Identifier;
            value.text = ReadIdent("a value");
            return value;
        }
        Fail(AtEnd() || c == '\n' || c == '\r' ? "missing value" : "unrecognised value");
    }

    TValue ParseInteger() {
        bool negative = Peek() == '-';
        if (Peek() == '-' || Peek() == '+')
            ++pos_;
        if (!IsDigit(Peek()))
            Fail("expected digits");
        long long magnitude = 0;
        while (IsDigit(Peek())) {
            magnitude = magnitude * 10 + (Peek() - '0');
            if (magnitude > static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1)
                Fail("integer out of range");
            ++pos_;
        }
        if (IsIdentChar(Peek()) || Peek() == '.')
            Fail("malformed number");
        long long number = negative ? -magnitude : magnitude;
        if (number > std::numeric_limits<std::int32_t>::max())
            Fail("integer out of range");
        TValue value;
        value.kind = TValue::Kind::Integer;
        value.integer = static_cast<std::int32_t>(number);
        return value;
    }

    TValue ParseString() {
        std::vector<WCHAR> units;
        while (Peek() == '\'' || Peek() == '#') {
            if (Peek() == '#') {
                ++pos_;
                if (!IsDigit(Peek()))
                    Fail("expected a character code after '#'");
                long code = 0;
                while (IsDigit(Peek())) {
                    code = code * 10 + (Peek() - '0');
                    if (code > 0xFFFF)
                        Fail("character code out of range");
                    ++pos_;
                }
                units.push_back(static_cast<WCHAR>(code));
                continue;
            }
            ++pos_;  // the opening quote
            while (true) {
                if (AtEnd() || Peek() == '\n' || Peek() == '\r')
                    Fail("unterminated string");
                char c = Peek();
                if (c == '\'') {
                    if (Peek(1) == '\'') {
                        units.push_back(static_cast<WCHAR>('\''));
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                auto byte = static_cast<unsigned char>(c);
                if (byte < 0x20 || byte > 0x7E)
                    Fail("only ASCII may be quoted in a string; write other characters as #code");
                units.push_back(static_cast<WCHAR>(byte));
                ++pos_;
            }
        }
        TValue value;
        value.kind = TValue::Kind::String;
        if (!units.empty()) {
            int count = static_cast<int>(units.size());
            int size =
                WideCharToMultiByte(CP_ACP, 0, units.data(), count, nullptr, 0, nullptr, nullptr);
            if (size <= 0)
                Fail("string cannot be converted to the ANSI code page");
            value.text.resize(static_cast<std::size_t>(size));
            WideCharToMultiByte(CP_ACP, 0, units.data(), count, value.text.data(), size, nullptr,
                                nullptr);
        }
        return value;
    }

    TValue ParseSet() {
        ++pos_;  // '['
        TValue value;
        value.kind = TValue::Kind::Set;
        SkipBlanks();
        if (Peek() == ']') {
            ++pos_;
            return value;
        }
        while (true) {
            SkipBlanks();
            value.items.push_back(ReadIdent("a set member"));
            SkipBlanks();
            if (Peek() == ']') {
                ++pos_;
                return value;
            }
            if (Peek() != ',')
                Fail("expected ',' or ']' in a set");
            ++pos_;
        }
    }

    TValue ParseBinary() {
        ++pos_;  // '{'
        TValue value;
        value.kind = TValue::Kind::Binary;
        SkipSpace();
        if (NextWordIs("resource")) {
            pos_ += 8;
            SkipBlanks();
            if (Peek() != ':')
                Fail("expected ':' after 'resource'");
            ++pos_;
            SkipBlanks();
            std::size_t start = pos_;
            while (!AtEnd() &&
                   (IsIdentChar(Peek()) || Peek() == '.' || Peek() == '-' || Peek() == '#')) {
                ++pos_;
            }
            value.binary.ResourceName = std::string(text_.substr(start, pos_ - start));
            if (value.binary.ResourceName.empty())
                Fail("expected a resource name");
            SkipBlanks();
            if (Peek() != '}')
                Fail("expected '}' after the resource name");
            ++pos_;
            return value;
        }
        int high = -1;
        while (true) {
            SkipSpace();
            if (AtEnd())
                Fail("unterminated binary data");
            char c = Peek();
            if (c == '}') {
                if (high >= 0)
                    Fail("odd number of hex digits");
                ++pos_;
                return value;
            }
            int digit = HexValue(c);
            if (digit < 0)
                Fail("invalid character in binary data");
            ++pos_;
            if (high < 0) {
                high = digit;
            } else {
                value.binary.Bytes.push_back(static_cast<BYTE>(high << 4 | digit));
                high = -1;
            }
        }
    }

    std::string_view text_;
    const std::string& resource_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

TFormObject ParseFormText(std::string_view text, const std::string& resourceName) {
    return Parser(text, resourceName).ParseRoot();
}

}  // namespace forms
