#pragma once
// Shared by the tests of the edit controls: a shown form with a typed edit and a plain edit
// after it in the tab order, and the regional separators set for one test.

#include "controles/edit/kav_edit.h"

#include "plataforma/base/regional.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Texts shown as text in the failures.
inline void PrintTo(const AnsiString& s, std::ostream* os) {
    *os << '"' << s.str() << '"';
}

// The decimal separator given and the other one of "," and "." as thousand separator,
// while it lives.
class SeparadoresRegionales {
public:
    explicit SeparadoresRegionales(char decimal)
        : decimal_(GetDecimalSeparator()), miles_(GetThousandSeparator()) {
        SetDecimalSeparator(decimal);
        SetThousandSeparator(decimal == ',' ? '.' : ',');
    }
    ~SeparadoresRegionales() {
        SetDecimalSeparator(decimal_);
        SetThousandSeparator(miles_);
    }
    SeparadoresRegionales(const SeparadoresRegionales&) = delete;
    SeparadoresRegionales& operator=(const SeparadoresRegionales&) = delete;

private:
    char decimal_, miles_;
};

// The typed edit with its whole window text within reach.
class EditPrueba : public TKavEdit {
public:
    using TKavEdit::TKavEdit;
    AnsiString WindowTextForTest() const { return TCustomEdit::GetText(); }
    void SetWindowTextForTest(const AnsiString& t) { TCustomEdit::SetText(t); }
};

class PruebaKav : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<TForm>(nullptr);
        ventana->SetBounds(0, 0, 420, 320);
        edit = NuevoEdit(120, 20);
        siguiente = new TEdit(ventana.get());
        siguiente->SetParent(ventana.get());
        siguiente->SetBounds(120, 60, 100, 21);
        ventana->Show();
        // The tests enter the edit themselves.
        siguiente->SetFocus();
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
    }
    EditPrueba* NuevoEdit(int x, int y) {
        auto* e = new EditPrueba(ventana.get());
        e->SetParent(ventana.get());
        e->SetBounds(x, y, 120, 21);
        return e;
    }
    std::unique_ptr<TForm> ventana;
    EditPrueba* edit = nullptr;
    TEdit* siguiente = nullptr;
};
