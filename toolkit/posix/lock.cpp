// The toolkit lock over a POSIX mutex.
#include "toolkit/core/lock.h"

#include <pthread.h>

namespace {

pthread_mutex_t* MutexOf(unsigned char* storage) {
    return reinterpret_cast<pthread_mutex_t*>(storage);
}

} // namespace

ToolkitLock::ToolkitLock() {
    static_assert(sizeof(pthread_mutex_t) <= sizeof(storage) &&
                      alignof(pthread_mutex_t) <= alignof(std::max_align_t),
                  "the mutex must fit the lock's storage");
    pthread_mutex_init(MutexOf(storage), nullptr);
}

ToolkitLock::~ToolkitLock() {
    pthread_mutex_destroy(MutexOf(storage));
}

void ToolkitLock::Enter() {
    pthread_mutex_lock(MutexOf(storage));
}

void ToolkitLock::Leave() {
    pthread_mutex_unlock(MutexOf(storage));
}
