#pragma once
// The class library's resource strings that the programs show, in the users' language.

inline constexpr const char* SMsgDlgOK = "Aceptar";
inline constexpr const char* SMsgDlgCancel = "Cancelar";
// A masked edit left with a required position unfilled.
inline constexpr const char* SMaskEditErr =
    "Valor de entrada no válido. Use la tecla Esc para abandonar los cambios.";
// A list that did not take a line added or inserted.
inline constexpr const char* SInsertLineError = "No se puede insertar una línea";
