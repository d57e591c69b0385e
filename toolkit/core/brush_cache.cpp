// The shared background brushes: one platform brush per colour, counted by its users.
#include "toolkit/core/brush_cache.h"

namespace {

struct BrushCacheEntry {
    int32_t colour;
    BrushHandle brush;
    int32_t users;
};

template <typename Match> BrushCacheEntry* FindNewest(const NodeList& entries, Match match) {
    for (void* payload = NodeListNext(entries, nullptr); payload;
         payload = NodeListNext(entries, payload)) {
        auto* entry = static_cast<BrushCacheEntry*>(payload);
        if (match(*entry)) {
            return entry;
        }
    }
    return nullptr;
}

} // namespace

void BrushCacheInit(BrushCache& cache, const BrushFactory& factory) {
    const ToolkitLockHold hold(cache.lock);
    cache.factory = factory;
}

BrushHandle BrushCacheAcquire(BrushCache& cache, int32_t colour) {
    const ToolkitLockHold hold(cache.lock);
    BrushCacheEntry* entry = FindNewest(
        cache.entries, [colour](const BrushCacheEntry& e) { return e.colour == colour; });
    if (entry) {
        ++entry->users;
        return entry->brush;
    }
    // Entries exist only with a brush: an entry for a brush that could not be
    // made would never be released and would pile up on every retry.
    const BrushHandle brush = cache.factory.create(colour);
    if (!brush) {
        return 0;
    }
    entry = static_cast<BrushCacheEntry*>(NodeListPush(cache.entries, sizeof(BrushCacheEntry)));
    if (!entry) {
        cache.factory.destroy(brush);
        return 0;
    }
    *entry = BrushCacheEntry{colour, brush, 1};
    return brush;
}

void BrushCacheRelease(BrushCache& cache, BrushHandle brush) {
    if (!brush) {
        return;
    }
    const ToolkitLockHold hold(cache.lock);
    BrushCacheEntry* entry =
        FindNewest(cache.entries, [brush](const BrushCacheEntry& e) { return e.brush == brush; });
    if (entry && --entry->users == 0) {
        cache.factory.destroy(brush);
        NodeListRemove(cache.entries, entry);
    }
}
