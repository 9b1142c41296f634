#pragma once
// KavInputQuery: a modal dialog that asks for one value in a typed edit (TKavEdit).

#include "controles/edit/kav_edit.h"

// How the dialog's edit shows the value.
struct TQueryParams {
    short Precision = 0;
    bool Flat = false;
    short LengthLimit = 0;
    AnsiString Prefix;
    AnsiString Suffix;
};

// Asks with Caption and Prompt, the edit of EditType holding Value (dressed by Params when
// given). "Aceptar": Value becomes the edit's value and the result is true; "Cancelar" or
// closing: false, Value unchanged.
bool KavInputQuery(TKavEditType EditType, const TQueryParams* Params, const AnsiString& Caption,
                   const AnsiString& Prompt, AnsiString& Value);
