#include "plataforma/gui/forms/program_main.h"

#include "plataforma/base/exceptions.h"
#include "plataforma/gui/forms/qt_modal_hooks.h"
#include "plataforma/gui/forms/qt_spanish.h"
#include "plataforma/gui/kernel/application.h"

int RunProgram(const std::function<void()>& Start) {
    try {
        Application->Initialize();
        InstallQtModalHooks();
        InstallQtSpanishTranslations();
        Start();
        Application->Run();
    } catch (Exception& e) {
        Application->ShowException(&e);
    } catch (...) {
        Exception e("");
        Application->ShowException(&e);
    }
    return 0;
}
