#include "comunes/Version.h"

Version* Version::Instancia() {
    static std::unique_ptr<Version> instancia(new Version());
    return instancia.get();
}
