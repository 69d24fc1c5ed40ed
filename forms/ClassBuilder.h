// Builds a class's TClassInfo: the published properties with typed setters, the fields and
// the handler methods of a form class. A class publishes itself like this:
//
//   const TClassInfo& TImage::ClassInfo() {
//       static const TClassInfo info = TClassBuilder<TImage>::Define(
//           "TImage", &TGraphicControl::ClassInfo(), [](TClassBuilder<TImage>& c) {
//               c.Object("Picture", &TImage::Picture);
//               c.Boolean("Transparent", &TImage::SetTransparent);
//           });
//       return info;
//   }
//
// and a form class names its components and handlers:
//
//   c.Field("Image1", &TMainWin::Image1);
//   c.Method("FormShow", &TMainWin::FormShow);
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "forms/ClassInfo.h"
#include "forms/Colors.h"
#include "forms/Component.h"
#include "forms/EnumNames.h"
#include "forms/Exception.h"
#include "forms/Idents.h"
#include "forms/Set.h"
#include "forms/Text.h"
#include "forms/Types.h"

namespace forms {

namespace detail {

[[noreturn]] inline void BadValue(const TValue& value, const std::string& expected) {
    throw Exception("Invalid property value: " + value.Describe() + " where " + expected +
                    " was expected");
}

template <class C>
C& As(TPersistent& object) {
    return dynamic_cast<C&>(object);
}

}  // namespace detail

template <class C>
class TClassBuilder {
  public:
    template <class Publish>
    static TClassInfo Define(std::string name, const TClassInfo* parent, Publish publish) {
        TClassInfo info(std::move(name), parent);
        if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>) {
            info.SetFactory([](TComponent* owner) -> TComponent* { return new C(owner); });
        }
        TClassBuilder builder(info);
        publish(builder);
        return info;
    }

    explicit TClassBuilder(TClassInfo& info) : info_(info) {}

    template <class B, class V>
    TClassBuilder& Integer(const char* name, void (B::*setter)(V)) {
        static_assert(std::is_base_of_v<B, C> && std::is_integral_v<std::decay_t<V>>);
        using Target = std::decay_t<V>;
        return Apply(name, [setter](TPersistent& object, const TValue& value, TPersistent&) {
            if (value.kind != TValue::Kind::Integer)
                detail::BadValue(value, "an integer");
            if (!InRange<Target>(value.integer))
                detail::BadValue(value, "an integer in the property's range");
            (detail::As<C>(object).*setter)(static_cast<Target>(value.integer));
        });
    }

    template <class B>
    TClassBuilder& Boolean(const char* name, void (B::*setter)(bool)) {
        static_assert(std::is_base_of_v<B, C>);
        return Apply(name, [setter](TPersistent& object, const TValue& value, TPersistent&) {
            bool flag = false;
            if (value.kind == TValue::Kind::Identifier && SameText(value.text, "True"))
                flag = true;
            else if (value.kind == TValue::Kind::Identifier && SameText(value.text, "False"))
                flag = false;
            else
                detail::BadValue(value, "True or False");
            (detail::As<C>(object).*setter)(flag);
        });
    }

    template <class B, class E>
    TClassBuilder& Enum(const char* name, void (B::*setter)(E), TEnumNames<E> names) {
        static_assert(std::is_base_of_v<B, C>);
        return Apply(name, [setter, names = std::move(names)](TPersistent& object,
                                                              const TValue& value, TPersistent&) {
            E item{};
            if (value.kind != TValue::Kind::Identifier || !names.Find(value.text, &item))
                detail::BadValue(value, "one of the property's identifiers");
            (detail::As<C>(object).*setter)(item);
        });
    }

    template <class B, class E>
    TClassBuilder& Set(const char* name, void (B::*setter)(TSet<E>), TEnumNames<E> names) {
        static_assert(std::is_base_of_v<B, C>);
        return Apply(name, [setter, names = std::move(names)](TPersistent& object,
                                                              const TValue& value, TPersistent&) {
            if (value.kind != TValue::Kind::Set)
                detail::BadValue(value, "a set");
            TSet<E> set;
            for (const std::string& ident : value.items) {
                E item{};
                if (!names.Find(ident, &item))
                    throw Exception("Invalid property value: " + ident +
                                    " is not a member of the set");
                set.Include(item);
            }
            (detail::As<C>(object).*setter)(set);
        });
    }

    template <class B>
    TClassBuilder& String(const char* name, void (B::*setter)(const std::string&)) {
        static_assert(std::is_base_of_v<B, C>);
        return Apply(name, [setter](TPersistent& object, const TValue& value, TPersistent&) {
            if (value.kind != TValue::Kind::String)
                detail::BadValue(value, "a string");
            (detail::As<C>(object).*setter)(value.text);
        });
    }

    template <class B>
    TClassBuilder& Color(const char* name, void (B::*setter)(TColor)) {
        static_assert(std::is_base_of_v<B, C>);
        return Apply(name, [setter](TPersistent& object, const TValue& value, TPersistent&) {
            TColor color = 0;
            if (value.kind == TValue::Kind::Integer)
                color = value.integer;
            else if (value.kind != TValue::Kind::Identifier || !IdentToColor(value.text, &color))
                detail::BadValue(value, "a colour");
            (detail::As<C>(object).*setter)(color);
        });
    }

    template <class B>
    TClassBuilder& Cursor(const char* name, void (B::*setter)(TCursor)) {
        static_assert(std::is_base_of_v<B, C>);
        return Apply(name, [setter](TPersistent& object, const TValue& value, TPersistent&) {
            TCursor cursor = crDefault;
            if (value.kind == TValue::Kind::Integer && InRange<short>(value.integer))
                cursor = value.integer;
            else if (value.kind != TValue::Kind::Identifier || !IdentToCursor(value.text, &cursor))
                detail::BadValue(value, "a cursor");
            (detail::As<C>(object).*setter)(cursor);
        });
    }

    template <class B>
    TClassBuilder& Data(const char* name, void (B::*setter)(const TBinaryData&)) {
        static_assert(std::is_base_of_v<B, C>);
        return Apply(name, [setter](TPersistent& object, const TValue& value, TPersistent&) {
            if (value.kind != TValue::Kind::Binary)
                detail::BadValue(value, "binary data");
            (detail::As<C>(object).*setter)(value.binary);
        });
    }

    // An event property: the value names a method of the root (the form) whose signature must
    // be exactly the event's.
    template <class B, class Handler>
    TClassBuilder& Event(const char* name, Handler B::*field) {
        static_assert(std::is_base_of_v<B, C>);
        std::string eventName = name;
        return Apply(name, [field, eventName](TPersistent& object, const TValue& value,
                                              TPersistent& root) {
            if (value.kind != TValue::Kind::Identifier)
                detail::BadValue(value, "the name of a handler method");
            const TMethodInfo* method = root.ClassType().FindMethod(value.text);
            if (method == nullptr)
                throw Exception("Unknown handler " + value.text + " (" + root.ClassType().Name() +
                                " publishes no such method)");
            std::any bound = method->bind(root);
            auto* handler = std::any_cast<Handler>(&bound);
            if (handler == nullptr)
                throw Exception("Handler " + value.text + " does not fit the event " + eventName);
            detail::As<C>(object).*field = *handler;
        });
    }

    // A property holding a persistent sub-object ("Font", "Picture") whose own properties are
    // written after a dot ("Font.Height").
    template <class B, class S>
    TClassBuilder& Object(const char* name, S* (B::*getter)() const) {
        static_assert(std::is_base_of_v<B, C> && std::is_base_of_v<TPersistent, S>);
        TPropertyInfo property;
        property.name = name;
        property.subObject = [getter](TPersistent& object) -> TPersistent* {
            return (detail::As<C>(object).*getter)();
        };
        info_.AddProperty(std::move(property));
        return *this;
    }

    // Anything else: the callback checks and converts the value itself.
    TClassBuilder& Custom(const char* name,
                          std::function<void(C& object, const TValue& value)> fn) {
        return Apply(name,
                     [fn = std::move(fn)](TPersistent& object, const TValue& value, TPersistent&) {
                         fn(detail::As<C>(object), value);
                     });
    }

    // A field of a form class that receives the component of that name.
    template <class B, class F>
    TClassBuilder& Field(const char* name, F* B::*field) {
        static_assert(std::is_base_of_v<B, C> && std::is_base_of_v<TComponent, F>);
        info_.AddField({name,
                        [field](TPersistent& root, TComponent& component) {
                            auto* typed = dynamic_cast<F*>(&component);
                            if (typed == nullptr)
                                return false;
                            detail::As<C>(root).*field = typed;
                            return true;
                        },
                        [field](TPersistent& root) { detail::As<C>(root).*field = nullptr; }});
        return *this;
    }

    // A handler method of a form class that event properties may name.
    template <class B, class R, class... A>
    TClassBuilder& Method(const char* name, R (B::*method)(A...)) {
        static_assert(std::is_base_of_v<B, C>);
        info_.AddMethod({name, [method](TPersistent& root) -> std::any {
                             C* self = &detail::As<C>(root);
                             return std::function<R(A...)>([self, method](A... args) -> R {
                                 return (self->*method)(std::forward<A>(args)...);
                             });
                         }});
        return *this;
    }

  private:
    template <class T>
    static bool InRange(std::int32_t value) {
        if constexpr (std::is_same_v<T, bool>) {
            return value == 0 || value == 1;
        } else {
            using Limits = std::numeric_limits<T>;
            return static_cast<long long>(value) >= static_cast<long long>(Limits::min()) &&
                   static_cast<long long>(value) <= static_cast<long long>(Limits::max());
        }
    }

    template <class Fn>
    TClassBuilder& Apply(const char* name, Fn fn) {
        TPropertyInfo property;
        property.name = name;
        property.apply = std::move(fn);
        info_.AddProperty(std::move(property));
        return *this;
    }

    TClassInfo& info_;
};

}  // namespace forms
