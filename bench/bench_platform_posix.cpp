#include "bench/bench_platform.h"

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>

const char* const HEAP_MEASURE = "mallinfo2";
const char* const PLATFORM_NAME = "native";

bool RawWriteFile(const char* name, const std::string& bytes) {
    const int file = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (file < 0) {
        return false;
    }
    bool ok = true;
    for (size_t at = 0; ok && at < bytes.size(); at += 4096) {
        const size_t length = std::min<size_t>(4096, bytes.size() - at);
        ok = write(file, bytes.data() + at, length) == static_cast<ssize_t>(length);
    }
    return close(file) == 0 && ok;
}

void HeapGiveBack() {
    malloc_trim(0);
}

size_t HeapBytesInUse() {
    return mallinfo2().uordblks;
}
