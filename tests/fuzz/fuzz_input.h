// Shared by the fuzz targets: the fuzzer's bytes as small values, a broken
// invariant ends the run, and memory can be made to run out.
#pragma once

#include "toolkit/memory.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Aborting makes libFuzzer keep the input and the corpus replay fail.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Past the end every read gives 0, so any input is a complete run.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool Empty() const { return at >= size; }
    uint8_t Byte() { return Empty() ? 0 : data[at++]; }
    int32_t Int32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8 | Byte();
        }
        return static_cast<int32_t>(value);
    }
};

// Runs body while allocation fails; blocks can still be freed.
template <typename Body> auto WithoutMemory(Body body) {
    static MemoryOperations ample;
    ample = MemorySetOperations({[](size_t) -> void* { return nullptr; },
                                 [](void*, size_t) -> void* { return nullptr; },
                                 [](void* block) { ample.release(block); }});
    const auto result = body();
    MemorySetOperations(ample);
    return result;
}
