#pragma once
// Qt's own texts in Spanish: the standard dialogs (open, save, folder) and the window
// system's other built-in texts read "Buscar en", "Nombre de fichero", "Abrir", "Cancelar",
// as the rest of the programs do.

// Installs Qt's Spanish translations (qtbase_es) from Qt's translations folder, once.
// False when they are not installed (the dialogs then stay in English).
bool InstallQtSpanishTranslations();
