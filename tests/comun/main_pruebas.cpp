// main of every test program: headless Qt with the set-up's fonts, and scripted modal hooks
// around each test.

#include "tests/comun/pruebas.h"

#include <gtest/gtest.h>

#include <cstdlib>

ScriptedModalHooks& Guion() {
    static ScriptedModalHooks guion;
    return guion;
}

namespace {

class VigilanteDelGuion : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        Guion().Reset();
        SetModalHooks(&Guion());
    }
    void OnTestEnd(const testing::TestInfo&) override {
        // Runs after the test body; a failure here is reported against the test.
        int pendientes = Guion().PendingAnswers();
        if (pendientes != 0) ADD_FAILURE() << pendientes << " respuesta(s) del guion sin usar";
    }
};

} // namespace

int main(int argc, char** argv) {
    // Test discovery runs the programs outside CTest's environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The fonts of the set-up only, whatever else the machine has (CTest sets it too).
    setenv("FONTCONFIG_FILE", QUENBAR_FUENTES_PRUEBA, 0);
    testing::InitGoogleTest(&argc, argv);
    Guion().SetFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
    testing::UnitTest::GetInstance()->listeners().Append(new VigilanteDelGuion);
    return RUN_ALL_TESTS();
}
