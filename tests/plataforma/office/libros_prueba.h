#pragma once
// What the workbook and document tests share: a folder of their own, the regional settings
// fixed (comma decimals, day/month/year dates) and Python to make and read the files.

#include "plataforma/base/regional.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/python_prueba.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

class FicherosOficina : public ::testing::Test {
protected:
    void SetUp() override {
        decimal_ = GetDecimalSeparator();
        fecha_ = GetShortDateFormat();
        hora_ = GetLongTimeFormat();
        separadorFecha_ = GetDateSeparator();
        separadorHora_ = GetTimeSeparator();
        SetDecimalSeparator(',');
        SetShortDateFormat("dd/MM/yyyy");
        SetLongTimeFormat("hh:nn:ss");
        SetDateSeparator('/');
        SetTimeSeparator(':');
    }
    void TearDown() override {
        SetDecimalSeparator(decimal_);
        SetShortDateFormat(fecha_);
        SetLongTimeFormat(hora_);
        SetDateSeparator(separadorFecha_);
        SetTimeSeparator(separadorHora_);
    }
    std::string Python(const std::string& Programa) {
        return PythonDePrueba(carpeta.Ruta().str(), Programa);
    }
    AnsiString Ruta(const char* Nombre) const { return carpeta.Ruta() + Nombre; }
    std::string Bytes(const char* Nombre) const {
        std::ifstream f(Ruta(Nombre).c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

    CarpetaTemporal carpeta;

private:
    char decimal_, separadorFecha_, separadorHora_;
    AnsiString fecha_, hora_;
};
