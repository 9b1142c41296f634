#include "plataforma/gui/forms/close_when_shown.h"

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/services/capture.h"

#include <cstdlib>

void CloseWhenShownIfAsked(TForm* Form) {
    const char* name = std::getenv("QUENBAR_CERRAR_AL_MOSTRAR");
    if (!name || !Form) return;
    auto* timer = new TTimer(Form);
    timer->SetInterval(500);
    const AnsiString capture = name;
    timer->OnTimer = [timer, Form, capture](TObject*) {
        timer->SetEnabled(false);
        SaveCapture(Form, capture);
        Form->Close();
    };
    timer->SetEnabled(true);
}
