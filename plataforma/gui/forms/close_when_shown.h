#pragma once
// For tests that start a built program: with QUENBAR_CERRAR_AL_MOSTRAR=name in the
// environment, the form is captured as name.png shortly after it is shown, then closed.

class TForm;

// Does nothing when the variable is not set.
void CloseWhenShownIfAsked(TForm* Form);
