// What the fuzz targets share. A broken property aborts: libFuzzer keeps its input.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace orvanne {

inline void Require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

} // namespace orvanne
