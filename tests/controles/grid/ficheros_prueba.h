#pragma once
// What the tests of the grid's files share: a folder of their own, grids on a test window,
// and files written and read as bytes.

#include "plataforma/base/file_writer.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

class FicherosRejilla : public testing::Test {
protected:
    void SetUp() override {
        std::string p = (std::filesystem::temp_directory_path() / "quenbar_gf_XXXXXX").string();
        ASSERT_NE(mkdtemp(p.data()), nullptr);
        dir = p;
        ventana = std::make_unique<VentanaPrueba>();
    }
    void TearDown() override {
        FileWriter::InjectFailureForTests(FileWriter::Failure::None);
        std::filesystem::remove_all(dir);
    }
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
    std::filesystem::path dir;
    std::unique_ptr<VentanaPrueba> ventana;
};
