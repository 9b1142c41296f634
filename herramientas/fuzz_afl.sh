#!/usr/bin/env bash
# Runs one fuzz target under AFL++ for some minutes, on its seed corpus and with its
# dictionary, then replays what the fuzzer saved (crashes, hangs and the whole queue) through
# the plain sanitizer build of the same target, with leak checks on.
#
#   herramientas/fuzz_afl.sh <target> <minutes> [output folder]
#
# <target> is the name after "fuzz_" (leerbdl, cargar_bd, marcado, renderizador, modelo...).
# The output defaults to build-afl/afl/<target>; an output that exists is resumed. The AFL
# build is build-afl, the replay build build-san (build-san-gui for targets that need the
# window system); each is configured when missing. Several runs may go at once: each takes
# one core. QUENBAR_AFL_TIEMPO_MS sets the time limit of one input (1000 ms). Needs the
# package afl++ (herramientas/instalar_afl.sh). Ends with an error when the replay fails.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD

if [ $# -lt 2 ]; then
    echo "Uso: $0 <objetivo> <minutos> [carpeta de salida]" >&2
    exit 2
fi
objetivo=$1
minutos=$2
salida=${3:-build-afl/afl/$objetivo}
programa=fuzz_$objetivo
corpus=fuzz/corpus/$objetivo
diccionario=fuzz/diccionarios/$objetivo.dict
[ -d "$corpus" ] || { echo "No hay corpus $corpus" >&2; exit 2; }
command -v afl-fuzz >/dev/null || { echo "Falta afl-fuzz: herramientas/instalar_afl.sh" >&2; exit 2; }

case $objetivo in
    marcado | renderizador | componente | rejilla_* | arrastre | rtf_dibujo) reproduccion=build-san-gui gui=ON ;;
    *) reproduccion=build-san gui=OFF ;;
esac

# Configures (when missing) and builds one target in a build folder; a lock keeps runs that
# start together from building the same folder at once.
construir() {
    local carpeta=$1 destino=$2
    shift 2
    mkdir -p "$carpeta"
    (
        flock 9
        [ -f "$carpeta/build.ninja" ] || cmake -S . -B "$carpeta" -G Ninja "$@" >/dev/null
        cmake --build "$carpeta" -j "${QUENBAR_AFL_TRABAJOS:-4}" --target "$destino" >/dev/null
    ) 9>"$carpeta/.bloqueo"
}

echo "== Construyendo $programa (AFL y sanitizadores)"
construir build-afl "$programa" -DQUENBAR_AFL=ON -DQUENBAR_SANITIZE=ON -DQUENBAR_GUI=ON \
    -DQUENBAR_TESTS=OFF -DQUENBAR_BENCH=OFF
echo "== Construyendo $programa para la reproducción ($reproduccion)"
construir "$reproduccion" "$programa" -DQUENBAR_SANITIZE=ON -DQUENBAR_GUI=$gui \
    -DQUENBAR_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug

export QT_QPA_PLATFORM=offscreen
# AFL's own sanitizer options make ASan walk slow stacks: these keep it fast.
export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=1
export LSAN_OPTIONS=fast_unwind_on_malloc=1:exitcode=23:symbolize=0:suppressions=$raiz/tests/lsan.supp
export AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_AUTORESUME=1
[ -t 1 ] || export AFL_NO_UI=1
opciones_diccionario=()
[ -f "$diccionario" ] && opciones_diccionario=(-x "$diccionario")
mkdir -p "$salida"

echo "== Fuzzing $programa durante $minutos min en $salida"
afl-fuzz -i "$corpus" -o "$salida" -m none -t "${QUENBAR_AFL_TIEMPO_MS:-1000}" \
    "${opciones_diccionario[@]}" -V $((minutos * 60)) -- "build-afl/fuzz/$programa" \
    >"$salida/afl-fuzz.log" 2>&1 || { tail -20 "$salida/afl-fuzz.log" >&2; exit 1; }

estadisticas=$salida/default/fuzzer_stats
echo "== Resultado"
grep -E '^(run_time|execs_done|execs_per_sec|corpus_count|bitmap_cvg|edges_found|saved_crashes|saved_hangs) ' \
    "$estadisticas"

echo "== Reproducción con los sanitizadores ($reproduccion)"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$raiz/tests/lsan.supp
replay=$reproduccion/fuzz/$programa
fallos=0
informes=$salida/reproduccion
mkdir -p "$informes"
# Crashes and hangs one by one, each with its own time limit.
for fichero in "$salida"/default/crashes/id:* "$salida"/default/hangs/id:*; do
    [ -f "$fichero" ] || continue
    informe=$informes/$(basename "$(dirname "$fichero")")-$(basename "$fichero" | cut -d, -f1).txt
    if timeout 20 "$replay" "$fichero" >"$informe" 2>&1; then
        echo "   sin fallo: $fichero"
    else
        echo "   FALLA ($?): $fichero (salida en $informe)"
        fallos=$((fallos + 1))
    fi
done
# The queue, in batches; a batch that fails is replayed file by file to name the input.
mapfile -t cola < <(find "$salida/default/queue" -maxdepth 1 -type f -name 'id:*' | sort)
for ((i = 0; i < ${#cola[@]}; i += 200)); do
    lote=("${cola[@]:i:200}")
    timeout 600 "$replay" "${lote[@]}" >/dev/null 2>&1 && continue
    for fichero in "${lote[@]}"; do
        timeout 20 "$replay" "$fichero" >/dev/null 2>&1 && continue
        echo "   FALLA en la cola: $fichero"
        fallos=$((fallos + 1))
    done
done
echo "   ${#cola[@]} entradas de la cola reproducidas; $fallos con fallo"
[ "$fallos" -eq 0 ]
