// Defined properties: values a component keeps in its form resource beside the published
// properties, read and written by its own procedures (TPersistent::DefineProperties). The
// form reader is one filer; TDefinedPropertyWriter, which writes them as resource text, is
// the other.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/ClassInfo.h"
#include "forms/Stream.h"

namespace forms {

class TPersistent;

class TFiler {
  public:
    using ReadValueProc = std::function<void(const TValue& value)>;
    using WriteValueProc = std::function<TValue()>;
    using StreamProc = std::function<void(TStream& stream)>;

    explicit TFiler(TPersistent* ancestor = nullptr) : ancestor_(ancestor) {}
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;
    virtual ~TFiler() = default;

    // The same object in the ancestor form, to compare against when deciding whether a value
    // needs writing; null when there is none.
    TPersistent* Ancestor() const { return ancestor_; }

    // `hasData`: whether the writer should store the property at all.
    virtual void DefineProperty(const std::string& name, ReadValueProc read, WriteValueProc write,
                                bool hasData) = 0;
    virtual void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc write,
                                      bool hasData) = 0;

  private:
    TPersistent* ancestor_;
};

class TDefinedPropertyWriter : public TFiler {
  public:
    explicit TDefinedPropertyWriter(TPersistent* ancestor = nullptr) : TFiler(ancestor) {}

    // The lines "Name = value" of every defined property of `object` that has data, in the
    // order the object defines them.
    std::vector<std::string> Write(TPersistent& object);

    void DefineProperty(const std::string& name, ReadValueProc read, WriteValueProc write,
                        bool hasData) override;
    void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc write,
                              bool hasData) override;

  private:
    std::vector<std::string> lines_;
};

// A value in form-resource text: 12, clBtnFace, 'text'#54665, [a, b], {0A1B}.
std::string FormatValue(const TValue& value);

}  // namespace forms
