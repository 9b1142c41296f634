// The entry that the fuzzer's driver calls for each input: the target's own entry is compiled
// under another name (RealTestOneInput), so that the edge state starts afresh for every input
// and the same input always gives the same edges.

#include <cstddef>
#include <cstdint>

extern "C" uintptr_t afl_tracepc_prev;
extern "C" int RealTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    afl_tracepc_prev = 0;
    return RealTestOneInput(data, size);
}
