#pragma once
// Runs a Python program of a test with the system's Python (where Debian's python3-openpyxl
// and python3-docx are), in a folder; returns what it prints and fails the test when it ends
// with an error. The program's text is Windows-1252, as the test's literals are, and so is
// what it prints when it is returned.

#include "plataforma/base/cp1252.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

inline std::string PythonDePrueba(const std::string& Carpeta, const std::string& Programa) {
    const std::string py = Carpeta + "prueba.py";
    std::ofstream(py) << cp1252::ToUtf8(Programa);
    std::string salida;
    FILE* f = popen(("cd '" + Carpeta + "' && /usr/bin/python3 prueba.py 2>&1").c_str(), "r");
    if (!f) {
        ADD_FAILURE() << "No se puede ejecutar /usr/bin/python3";
        return salida;
    }
    char b[4096];
    for (size_t n; (n = fread(b, 1, sizeof b, f)) > 0;)
        salida.append(b, n);
    EXPECT_EQ(pclose(f), 0) << salida;
    return cp1252::FromUtf8(salida);
}
