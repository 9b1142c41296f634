// Coverage for the fuzzer: g++ with -fsanitize-coverage=trace-pc calls
// __sanitizer_cov_trace_pc() on every edge of the instrumented code; this adds the edge,
// hashed from the caller's address and the previous location, to the fuzzer's 64 KiB map.
// Built without that instrumentation and without the sanitizers (it runs on every edge).

#include <cstdint>

extern "C" {
extern unsigned char* __afl_area_ptr;
extern char __executable_start;

// The previous location, shifted; the entry of each input resets it.
uintptr_t afl_tracepc_prev;

__attribute__((no_sanitize_address, no_sanitize("undefined"))) void __sanitizer_cov_trace_pc(void) {
    const uintptr_t pc = reinterpret_cast<uintptr_t>(__builtin_return_address(0)) -
                         reinterpret_cast<uintptr_t>(&__executable_start);
    const uintptr_t actual = (pc ^ (pc >> 15) ^ (pc >> 7) * 0x9E37u) & 0xFFFFu;
    __afl_area_ptr[actual ^ afl_tracepc_prev]++;
    afl_tracepc_prev = actual >> 1;
}
}
