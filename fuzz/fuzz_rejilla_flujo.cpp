// Fuzz target for the text image of the grid's cells in a stream: the input is the stream,
// read into a grid with and without its fixed cells stored, then written again. The reader
// may raise the grid's error, the conversion error or the grid index error, and nothing else.

#include "controles/grid/kav_grid.h"
#include "fuzz/ventanas_fuzz.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/streams.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniciarVentanas();
    // Headers that the reader allows but that take long to make are left out here.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    long a = 0, b = 0;
    if (std::sscanf(bytes.c_str(), "%ld,%ld", &a, &b) == 2 && (a > 200 || b > 2000)) return 0;
    TMemoryStream m;
    m.WriteBuffer(data, static_cast<int64_t>(size));
    for (int modo = 0; modo < 2; ++modo) {
        TKavStringGrid g(nullptr);
        g.SetStoreFixedCells(modo == 0);
        g.SetMultilinecells(modo == 1);
        m.SetPosition(0);
        try {
            g.LoadFromStream(&m);
        } catch (const EKavGridError&) {
        } catch (const EConvertError&) {
        } catch (const EInvalidGridOperation&) {
        }
        if (m.GetPosition() > m.GetSize()) std::abort();
        TMemoryStream otra;
        g.SaveToStream(&otra);
    }
    return 0;
}
