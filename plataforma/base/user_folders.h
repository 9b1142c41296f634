#pragma once
// The user's own folders, as the desktop's conventions name them: settings, cache and
// documents. Program paths (Windows-1252) ending in "/"; empty when the system gives no
// home folder to build them from.

#include "plataforma/base/ansi_string.h"

// $XDG_CONFIG_HOME, else ~/.config/.
AnsiString UserConfigDir();
// $XDG_CACHE_HOME, else ~/.cache/.
AnsiString UserCacheDir();
// $XDG_DOCUMENTS_DIR, else the documents entry of the user's folder list (user-dirs.dirs,
// where a localized desktop names it "Documentos" or the like), else ~/Documents/.
AnsiString UserDocumentsDir();
