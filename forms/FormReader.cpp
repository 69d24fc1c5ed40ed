#include "forms/FormReader.h"

#include <vector>

#include "forms/Component.h"
#include "forms/Control.h"
#include "forms/Exception.h"
#include "forms/Filer.h"
#include "forms/FormParser.h"
#include "forms/Instance.h"
#include "forms/Text.h"
#include "forms/WinControl.h"

namespace forms {

namespace {

std::string Describe(const TComponent& component) {
    return (component.Name().empty() ? std::string("an unnamed component") : component.Name()) +
           " (" + component.ClassName() + ")";
}

// The filer a component's DefineProperties talks to while one property is being read: it
// runs the reading procedure of the definition whose name is that property's.
class TPropertyReader : public TFiler {
  public:
    explicit TPropertyReader(const TFormProperty& property) : property_(property) {}

    bool Handled() const { return handled_; }

    void DefineProperty(const std::string& name, ReadValueProc read, WriteValueProc,
                        bool) override {
        if (handled_ || !SameText(name, property_.name) || !read)
            return;
        handled_ = true;
        read(property_.value);
    }

    void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc, bool) override {
        if (handled_ || !SameText(name, property_.name) || !read)
            return;
        handled_ = true;
        if (property_.value.kind != TValue::Kind::Binary || property_.value.binary.IsResource())
            throw Exception("Invalid property value: " + property_.value.Describe() +
                            " where inline binary data was expected");
        TMemoryStream stream(property_.value.binary.Bytes);
        read(stream);
    }

  private:
    const TFormProperty& property_;
    bool handled_ = false;
};

class Reader {
  public:
    Reader(TComponent& root, const std::string& resource) : root_(root), resource_(resource) {}

    void Read(const TFormObject& tree) {
        if (!SameText(tree.className, root_.ClassName()))
            Fail(tree.line,
                 "the form describes a " + tree.className + ", not a " + root_.ClassName());
        bool wasLoading = root_.ComponentState().Contains(csLoading);
        root_.SetLoading(true);
        loaded_.push_back(&root_);
        try {
            NameRoot(tree);
            ReadBody(root_, tree);
        } catch (...) {
            Undo(wasLoading);
            throw;
        }
        for (TComponent* component : loaded_)
            component->Loaded();
    }

  private:
    [[noreturn]] void Fail(int line, const std::string& problem) const {
        throw EReadError(resource_, line, problem);
    }

    // Takes the resource's name unless the owner already has a component of that name.
    void NameRoot(const TFormObject& tree) {
        if (!IsValidIdent(tree.name))
            Fail(tree.line, "'" + tree.name + "' is not a valid component name");
        TComponent* owner = root_.Owner();
        std::string name = tree.name;
        for (int suffix = 1; owner != nullptr && owner->FindComponent(name) != nullptr &&
                             owner->FindComponent(name) != &root_;
             ++suffix) {
            name = tree.name + "_" + std::to_string(suffix);
        }
        root_.SetName(name);
    }

    void ReadBody(TComponent& component, const TFormObject& node) {
        component.SetReading(true);
        for (const TFormProperty& property : node.properties)
            ApplyProperty(component, property);
        for (const TFormObject& child : node.children)
            ReadChild(component, child);
        component.SetReading(false);
    }

    void ReadChild(TComponent& parent, const TFormObject& node) {
        const TClassInfo* info = FindComponentClass(node.className);
        if (info == nullptr)
            Fail(node.line, "unknown class " + node.className);
        if (!info->CanCreate())
            Fail(node.line, "class " + node.className + " cannot be created from a form");
        if (!IsValidIdent(node.name))
            Fail(node.line, "'" + node.name + "' is not a valid component name");
        if (root_.FindComponent(node.name) != nullptr || SameText(node.name, root_.Name()))
            Fail(node.line, "a component named " + node.name + " already exists");

        TComponent* component = info->Create(&root_);
        created_.push_back(component);
        component->SetLoading(true);
        loaded_.push_back(component);
        component->SetName(node.name);

        if (auto* control = dynamic_cast<TControl*>(component)) {
            auto* container = dynamic_cast<TWinControl*>(&parent);
            if (container == nullptr || !container->ControlStyle().Contains(csAcceptsControls))
                Fail(node.line, Describe(parent) + " cannot hold the control " + node.name);
            control->SetParent(container);
        }
        if (const TFieldInfo* field = root_.ClassType().FindField(node.name)) {
            if (!field->assign(root_, *component))
                Fail(node.line, "the field " + node.name + " of " + root_.ClassName() +
                                    " cannot hold a " + node.className);
            filledFields_.push_back(field);
        }
        ReadBody(*component, node);
    }

    void ApplyProperty(TComponent& component, const TFormProperty& property) {
        TPersistent* target = &component;
        std::string_view rest = property.name;
        // "Font.Height": walk into the sub-objects first.
        for (std::size_t dot = rest.find('.'); dot != std::string_view::npos;
             dot = rest.find('.')) {
            const TPropertyInfo* info = target->ClassType().FindProperty(rest.substr(0, dot));
            if (info == nullptr || !info->subObject)
                Fail(property.line,
                     "unknown property " + property.name + " of " + Describe(component));
            target = info->subObject(*target);
            if (target == nullptr)
                Fail(property.line, "property " + property.name + " of " + Describe(component) +
                                        " has nothing to set");
            rest.remove_prefix(dot + 1);
        }
        const TPropertyInfo* info = target->ClassType().FindProperty(rest);
        try {
            if (info != nullptr && info->apply) {
                info->apply(*target, property.value, root_);
                return;
            }
            if (info != nullptr)
                Fail(property.line, "property " + property.name + " of " + Describe(component) +
                                        " is an object; set its own properties");
            TPropertyReader reader(property);
            target->DefineProperties(reader);
            if (!reader.Handled())
                Fail(property.line,
                     "unknown property " + property.name + " of " + Describe(component));
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& error) {
            Fail(property.line, "property " + property.name + " of " + Describe(component) + ": " +
                                    error.Message());
        }
    }

    // Takes away what the failed reading built.
    void Undo(bool wasLoading) {
        for (const TFieldInfo* field : filledFields_)
            field->clear(root_);
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            (*it)->Destroying();
            delete *it;
        }
        root_.SetReading(false);
        root_.SetLoading(wasLoading);
    }

    TComponent& root_;
    const std::string& resource_;
    std::vector<TComponent*> loaded_;
    std::vector<TComponent*> created_;
    std::vector<const TFieldInfo*> filledFields_;
};

}  // namespace

void ReadComponentText(TComponent& root, std::string_view text, const std::string& resourceName) {
    TFormObject tree = ParseFormText(text, resourceName);
    Reader(root, resourceName).Read(tree);
}

void ReadComponentResource(TComponent& root, const std::string& resourceName) {
    HINSTANCE instance = HInstance();
    HRSRC resource = FindResourceA(instance, resourceName.c_str(), RT_RCDATA);
    HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        throw EReadError(resourceName, 0, "no such form resource");
    std::size_t size = SizeofResource(instance, resource);
    ReadComponentText(root, std::string_view(static_cast<const char*>(data), size), resourceName);
}

}  // namespace forms
