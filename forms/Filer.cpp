#include "forms/Filer.h"

#include "forms/Component.h"
#include "forms/Object.h"

namespace forms {

namespace {

std::string HexBytes(const std::vector<BYTE>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (BYTE byte : bytes) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0xF]);
    }
    return text;
}

// ASCII runs in quotes, every other character as #code (UTF-16 code units of the CP949 text).
std::string FormatString(const std::string& cp949) {
    std::vector<WCHAR> wide;
    if (!cp949.empty()) {
        int count = MultiByteToWideChar(CP_ACP, 0, cp949.data(), static_cast<int>(cp949.size()),
                                        nullptr, 0);
        if (count > 0) {
            wide.resize(static_cast<std::size_t>(count));
            MultiByteToWideChar(CP_ACP, 0, cp949.data(), static_cast<int>(cp949.size()),
                                wide.data(), count);
        }
    }
    std::string text;
    bool quoted = false;
    for (WCHAR unit : wide) {
        auto code = static_cast<unsigned>(unit);
        if (code >= 0x20 && code < 0x7F) {
            if (!quoted)
                text.push_back('\'');
            quoted = true;
            text.push_back(static_cast<char>(code));
            if (code == '\'')
                text.push_back('\'');
        } else {
            if (quoted)
                text.push_back('\'');
            quoted = false;
            text.push_back('#');
            text.append(std::to_string(code));
        }
    }
    if (quoted)
        text.push_back('\'');
    return text.empty() ? "''" : text;
}

}  // namespace

std::string FormatValue(const TValue& value) {
    switch (value.kind) {
        case TValue::Kind::Integer:
            return std::to_string(value.integer);
        case TValue::Kind::Identifier:
            return value.text;
        case TValue::Kind::String:
            return FormatString(value.text);
        case TValue::Kind::Set: {
            std::string text = "[";
            for (std::size_t i = 0; i < value.items.size(); ++i) {
                if (i != 0)
                    text.append(", ");
                text.append(value.items[i]);
            }
            text.push_back(']');
            return text;
        }
        case TValue::Kind::Binary: {
            std::string text = "{";
            if (value.binary.IsResource()) {
                text.append("resource:");
                text.append(value.binary.ResourceName);
            } else {
                text.append(HexBytes(value.binary.Bytes));
            }
            text.push_back('}');
            return text;
        }
    }
    return {};
}

std::vector<std::string> TDefinedPropertyWriter::Write(TPersistent& object) {
    lines_.clear();
    auto* component = dynamic_cast<TComponent*>(&object);
    bool wasWriting = component != nullptr && component->ComponentState().Contains(csWriting);
    if (component != nullptr)
        component->SetWriting(true);
    try {
        object.DefineProperties(*this);
    } catch (...) {
        if (component != nullptr)
            component->SetWriting(wasWriting);
        throw;
    }
    if (component != nullptr)
        component->SetWriting(wasWriting);
    return std::move(lines_);
}

void TDefinedPropertyWriter::DefineProperty(const std::string& name, ReadValueProc,
                                            WriteValueProc write, bool hasData) {
    if (!hasData || !write)
        return;
    std::string line = name;
    line.append(" = ");
    line.append(FormatValue(write()));
    lines_.push_back(std::move(line));
}

void TDefinedPropertyWriter::DefineBinaryProperty(const std::string& name, StreamProc,
                                                  StreamProc write, bool hasData) {
    if (!hasData || !write)
        return;
    TMemoryStream stream;
    write(stream);
    std::string line = name;
    line.append(" = {");
    line.append(HexBytes(stream.Bytes()));
    line.push_back('}');
    lines_.push_back(std::move(line));
}

}  // namespace forms
