#pragma once
// What the tests on a real X server share: other programs started with pipes, and waits
// that keep this program's messages handled (on X11 a program serves its clipboard and its
// drags itself, and learns of other windows by events), each for a condition, never for a
// length of time.

#include "plataforma/gui/kernel/application.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

// A program started with pipes on its standard input and output.
struct Proceso {
    pid_t pid = -1;
    int entrada = -1; // its standard input
    int salida = -1;  // its standard output
};

inline Proceso Lanzar(const std::vector<std::string>& argumentos) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return {};
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, in[0], 0);
    posix_spawn_file_actions_adddup2(&acciones, out[1], 1);
    posix_spawn_file_actions_addclose(&acciones, in[1]);
    posix_spawn_file_actions_addclose(&acciones, out[0]);
    std::vector<char*> argv;
    for (const std::string& a : argumentos)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Proceso p;
    if (posix_spawnp(&p.pid, argv[0], &acciones, nullptr, argv.data(), environ) != 0) p.pid = -1;
    posix_spawn_file_actions_destroy(&acciones);
    close(in[0]);
    close(out[1]);
    p.entrada = in[1];
    p.salida = out[0];
    fcntl(p.salida, F_SETFL, O_NONBLOCK);
    return p;
}

// Handles messages until Done() holds; false when it does not within a minute (a safety
// net: a working run takes a fraction of a second).
template <class F> bool EsperarAtendiendo(F Done) {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > limite) return false;
        Application->ProcessMessages();
        usleep(2000);
    }
    return true;
}

// Reads the program's output into Texto; true at its end.
inline bool Leer(Proceso& P, std::string& Texto) {
    char buf[4096];
    for (;;) {
        const ssize_t n = read(P.salida, buf, sizeof buf);
        if (n > 0) {
            Texto.append(buf, static_cast<size_t>(n));
            continue;
        }
        return n == 0;
    }
}

inline int Terminar(Proceso& P) {
    if (P.entrada >= 0) close(P.entrada);
    if (P.salida >= 0) close(P.salida);
    int estado = -1;
    if (P.pid > 0) waitpid(P.pid, &estado, 0);
    return estado;
}
