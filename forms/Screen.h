// The screen: the table of cursors by number (crDefault, crHandPoint, ... and any number a
// program registers), a screen-wide cursor that overrides every control's, and the forms.
#pragma once

#include <map>
#include <vector>

#include "forms/Component.h"
#include "forms/Types.h"

namespace forms {

class TForm;

class TScreen : public TComponent {
  public:
    // Screen->Cursors[14000] = LoadCursorA(HInstance(), "KW_HANDCUR");
    class TCursorTable {
      public:
        class Entry {
          public:
            Entry(TCursorTable& table, TCursor number) : table_(table), number_(number) {}
            operator HCURSOR() const { return table_.Get(number_); }
            Entry& operator=(HCURSOR cursor) {
                table_.Set(number_, cursor);
                return *this;
            }

          private:
            TCursorTable& table_;
            TCursor number_;
        };

        Entry operator[](TCursor number) { return Entry(*this, number); }
        // The cursor of `number`; the default cursor for a number nobody registered.
        HCURSOR Get(TCursor number) const;
        // Registers (or, with null, forgets) the cursor of a number.
        void Set(TCursor number, HCURSOR cursor);

      private:
        HCURSOR Builtin(TCursor number) const;

        std::map<TCursor, HCURSOR> registered_;
    };

    explicit TScreen(TComponent* owner);

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TCursorTable Cursors;

    // A cursor shown over every control (crDefault: each control's own).
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(index); }
    TForm* ActiveForm() const { return activeForm_; }
    int PixelsPerInch() const { return 96; }

    // Used by the forms.
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    void SetActiveForm(TForm* form) { activeForm_ = form; }

  private:
    TCursor cursor_ = crDefault;
    std::vector<TForm*> forms_;
    TForm* activeForm_ = nullptr;
};

// The one screen object, made on first use and never destroyed.
struct TScreenAccess {
    TScreen* operator->() const;
    TScreen& operator*() const;
    operator TScreen*() const;
};
inline constexpr TScreenAccess Screen{};

}  // namespace forms
