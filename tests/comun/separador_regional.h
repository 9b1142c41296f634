#pragma once
// Pone un separador decimal regional mientras vive y deja después el que había.

#include "plataforma/base/regional.h"

class SeparadorRegional {
public:
    explicit SeparadorRegional(char separador) : anterior_(GetDecimalSeparator()) {
        SetDecimalSeparator(separador);
    }
    ~SeparadorRegional() { SetDecimalSeparator(anterior_); }
    SeparadorRegional(const SeparadorRegional&) = delete;
    SeparadorRegional& operator=(const SeparadorRegional&) = delete;

private:
    char anterior_;
};
