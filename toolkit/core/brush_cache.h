// Shared background brushes: one platform brush per colour in use, however
// many gadgets use it, freed when the last of them lets go.
#pragma once

#include "toolkit/core/lock.h"
#include "toolkit/registry.h"

#include <cstdint>

// A platform brush as an opaque value; 0 is no brush.
using BrushHandle = uintptr_t;

// How brushes are made and destroyed on this platform.
struct BrushFactory {
    BrushHandle (*create)(int32_t colour); // 0 when the platform cannot make one
    void (*destroy)(BrushHandle brush);
};

struct BrushCache {
    ToolkitLock lock;
    NodeList entries; // BrushCacheEntry payloads, newest first
    BrushFactory factory{};
};

void BrushCacheInit(BrushCache& cache, const BrushFactory& factory);

// The brush of this colour, shared with its other users; 0 when none can be made.
BrushHandle BrushCacheAcquire(BrushCache& cache, int32_t colour);

// Gives up one use of the brush; the last release destroys it. Brushes the
// cache does not hold are ignored.
void BrushCacheRelease(BrushCache& cache, BrushHandle brush);
