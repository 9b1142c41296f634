#pragma once
// Qué programa está corriendo. Los dos comparten Registro y Directorios, pero leen valores
// distintos del registro; cada programa lo fija al empezar, antes de pedir esos objetos.

enum class Programa { Vornak, Pelusta };

// Sin fijar, el programa es Vornak (el que lee más valores).
Programa ModoPrograma();
void FijarModoPrograma(Programa programa);
