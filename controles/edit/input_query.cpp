#include "controles/edit/input_query.h"

#include "plataforma/base/resource_strings.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/label.h"

#include <memory>

namespace {

// The dialog unit: the average width and the height of the letters in the form's font.
TPoint DialogUnits(TCustomForm* Form) {
    TControlCanvas canvas;
    canvas.SetControl(Form);
    canvas.SetFont(Form->GetFont());
    const TSize size = canvas.TextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return TPoint(size.cx / 52, size.cy);
}

TButton* DialogButton(TCustomForm* Form, const AnsiString& Caption, TModalResult Result, int Left,
                      int Top, int Width, int Height) {
    auto* b = new TButton(Form);
    b->SetParent(Form);
    b->SetCaption(Caption);
    b->SetModalResult(Result);
    b->SetBounds(Left, Top, Width, Height);
    return b;
}

} // namespace

bool KavInputQuery(TKavEditType EditType, const TQueryParams* Params, const AnsiString& Caption,
                   const AnsiString& Prompt, AnsiString& Value) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsDialog);
    form->SetCaption(Caption);
    const TPoint du = DialogUnits(form.get());
    form->SetClientWidth(MulDiv(du.x, 180, 4));
    form->SetClientHeight(MulDiv(du.y, 63, 8));
    form->SetPosition(poScreenCenter);

    auto* prompt = new TLabel(form.get());
    prompt->SetParent(form.get());
    prompt->SetAutoSize(true);
    prompt->SetLeft(MulDiv(du.x, 8, 4));
    prompt->SetTop(MulDiv(du.y, 8, 8));
    prompt->SetCaption(Prompt);

    auto* edit = new TKavEdit(form.get());
    edit->SetParent(form.get());
    edit->SetLeft(prompt->GetLeft());
    edit->SetTop(MulDiv(du.y, 19, 8));
    edit->SetWidth(MulDiv(du.x, 164, 4));
    edit->SetMaxLength(255);
    edit->SetText(Value);
    edit->SelectAll();
    edit->SetEditType(EditType);
    if (Params) {
        edit->SetPrefix(Params->Prefix);
        edit->SetSuffix(Params->Suffix);
        edit->SetPrecision(Params->Precision);
        edit->SetLengthLimit(Params->LengthLimit);
        edit->SetFlat(Params->Flat);
        if (Params->Flat) edit->SetHeightEx(edit->GetHeightEx() - 4);
    }

    const int top = MulDiv(du.y, 41, 8), width = MulDiv(du.x, 50, 4), height = MulDiv(du.y, 14, 8);
    DialogButton(form.get(), SMsgDlgOK, mrOk, MulDiv(du.x, 38, 4), top, width, height)
        ->SetDefault(true);
    DialogButton(form.get(), SMsgDlgCancel, mrCancel, MulDiv(du.x, 92, 4), top, width, height)
        ->SetCancel(true);

    if (form->ShowModal() != mrOk) return false;
    Value = edit->GetText();
    return true;
}
