#pragma once
// A full disk for a test: a small tmpfs of its own, mounted in a child process's own mount
// namespace (only root can), so that nothing outside the child sees it.

#include <cstddef>
#include <functional>
#include <string>

// Runs `prueba` in a child process that has a tmpfs of `bytes` bytes at `carpeta` (a folder
// ending in "/"). The text `prueba` returns is "" when it passed, else what went wrong; the
// answer is that text, or "sin tmpfs" (and `montado` false) when no tmpfs could be mounted.
std::string EnDiscoPequeno(size_t bytes, bool& montado,
                           const std::function<std::string(const std::string& carpeta)>& prueba);

// Fills what is left of the disk of `carpeta` with a file of its own ("relleno").
void LlenarDisco(const std::string& carpeta);
