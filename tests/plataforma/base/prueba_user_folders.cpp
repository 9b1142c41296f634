// The user's folders: the desktop's variables first, then the home folder.

#include "plataforma/base/user_folders.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <gtest/gtest.h>

namespace {

TEST(UserFolders, VariablesOCasa) {
    VariableEntorno casa("HOME", "/home/ana");
    {
        VariableEntorno ajustes("XDG_CONFIG_HOME", "/cfg");
        VariableEntorno cache("XDG_CACHE_HOME", "/var/cache/ana");
        EXPECT_EQ(UserConfigDir().str(), "/cfg/");
        EXPECT_EQ(UserCacheDir().str(), "/var/cache/ana/");
    }
    VariableEntorno ajustes("XDG_CONFIG_HOME", nullptr);
    VariableEntorno cache("XDG_CACHE_HOME", "relativa"); // relative values are ignored
    EXPECT_EQ(UserConfigDir().str(), "/home/ana/.config/");
    EXPECT_EQ(UserCacheDir().str(), "/home/ana/.cache/");

    VariableEntorno sinCasa("HOME", nullptr);
    EXPECT_EQ(UserCacheDir().str(), "");
}

TEST(UserFolders, DocumentosDeLaVariableDeLaListaODocuments) {
    CarpetaTemporal carpeta;
    VariableEntorno casa("HOME", "/home/ana");
    VariableEntorno ajustes("XDG_CONFIG_HOME", carpeta.Ruta().c_str());
    VariableEntorno variable("XDG_DOCUMENTS_DIR", nullptr);

    EXPECT_EQ(UserDocumentsDir().str(), "/home/ana/Documents/"); // no list yet

    carpeta.Fichero("user-dirs.dirs", "# carpetas del escritorio\n"
                                      "XDG_DESKTOP_DIR=\"$HOME/Escritorio\"\n"
                                      "XDG_DOCUMENTS_DIR=\"$HOME/Documentos\"\n");
    EXPECT_EQ(UserDocumentsDir().str(), "/home/ana/Documentos/");

    carpeta.Fichero("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/datos/Documentaci\xC3\xB3n\"\n");
    EXPECT_EQ(UserDocumentsDir().str(), "/datos/Documentación/"); // Windows-1252 program path

    VariableEntorno directa("XDG_DOCUMENTS_DIR", "/mis/docs");
    EXPECT_EQ(UserDocumentsDir().str(), "/mis/docs/");
}

} // namespace
