#pragma once
// Sets (or unsets, with nullptr) an environment variable for the life of the object, and
// puts back what was there before.

#include <cstdlib>
#include <optional>
#include <string>

class VariableEntorno {
public:
    VariableEntorno(const char* nombre, const char* valor) : nombre_(nombre) {
        if (const char* antes = std::getenv(nombre)) antes_ = antes;
        if (valor)
            ::setenv(nombre, valor, 1);
        else
            ::unsetenv(nombre);
    }
    ~VariableEntorno() {
        if (antes_)
            ::setenv(nombre_.c_str(), antes_->c_str(), 1);
        else
            ::unsetenv(nombre_.c_str());
    }
    VariableEntorno(const VariableEntorno&) = delete;
    VariableEntorno& operator=(const VariableEntorno&) = delete;

private:
    std::string nombre_;
    std::optional<std::string> antes_;
};
