#pragma once
// What the tests of the grid's files share: a folder of their own, grids on a test window,
// files written and read as bytes, and Python's own modules to read and make files.

#include "plataforma/base/file_writer.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/python_prueba.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

class FicherosRejilla : public testing::Test {
protected:
    void SetUp() override { ventana = std::make_unique<VentanaPrueba>(); }
    void TearDown() override { FileWriter::InjectFailureForTests(FileWriter::Failure::None); }
    // A grid of that size, owned by the test window.
    Rejilla* Nueva(int cols, int rows) {
        auto* g = new Rejilla(ventana.get());
        g->SetColCount(cols);
        g->SetRowCount(rows);
        return g;
    }
    AnsiString Ruta(const char* n) const { return AnsiString((dir / n).string()); }
    std::string Leer(const AnsiString& p) {
        std::ifstream f(p.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    void Escribir(const AnsiString& p, const std::string& s) {
        std::ofstream(p.c_str(), std::ios::binary) << s;
    }
    // What a Python program run in the folder prints; the test fails when it ends in error.
    std::string Python(const std::string& Programa) {
        return PythonDePrueba(carpeta.Ruta().str(), Programa);
    }

    CarpetaTemporal carpeta;
    const std::filesystem::path dir{carpeta.Ruta().str()};
    std::unique_ptr<VentanaPrueba> ventana;
};
