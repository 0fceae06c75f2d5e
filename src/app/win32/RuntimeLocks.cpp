// The locks the C++ runtime takes for itself, made from the kernel's
// interlocked operations. Linked into OrvikPlayer.exe only, like
// QuietTerminate.cpp (tests/check-link-map.sh proves the threads library is
// not in the file): the test programs start threads and keep the library.
//
// The exception unwinder (its one-time set-up, the list of frame tables), the
// exception buffer pool and the per-thread storage of the exception state ask
// for nothing more than these eight functions, and the threads library that
// provides them brings its whole thread machinery, some 30 KB. The
// program's C++ runs on its own thread (the one other thread it starts is the
// system's wait for an encoder's end, which only posts a message), so these
// locks are never contended in practice; they are nonetheless real locks, safe
// on any number of threads.
//
// The runtime's objects keep their own layouts and initial values: a lock is
// one pointer-sized word whose static initial value is -1 (unlocked, as 0 is);
// a once-flag is a long that starts at 0.
#include <windows.h>

#include <cerrno>
#include <cstdint>

namespace {

constexpr LONG kOnceNotRun = 0, kOnceRunning = 1, kOnceDone = 2;
constexpr LONG kLocked = 1, kUnlocked = 0;

// Gives the rest of the time slice, then, if the wait goes on, a whole tick,
// so that a holder of lower priority gets to run.
void Pause(unsigned& rounds) { Sleep(++rounds < 16 ? 0 : 1); }

}  // namespace

extern "C" {

int pthread_once(LONG* once, void (*init)()) {
    if (*once == kOnceDone) return 0;
    if (InterlockedCompareExchange(once, kOnceRunning, kOnceNotRun) == kOnceNotRun) {
        init();
        InterlockedExchange(once, kOnceDone);
        return 0;
    }
    for (unsigned rounds = 0; *once != kOnceDone;) Pause(rounds);
    return 0;
}

int pthread_mutex_init(intptr_t* lock, const unsigned*) {
    *lock = kUnlocked;
    return 0;
}

int pthread_mutex_destroy(intptr_t*) { return 0; }

int pthread_mutex_lock(intptr_t* lock) {
    auto* word = reinterpret_cast<volatile LONG*>(lock);
    for (unsigned rounds = 0;; Pause(rounds)) {
        LONG seen = *word;
        if (seen != kLocked && InterlockedCompareExchange(word, kLocked, seen) == seen) return 0;
    }
}

int pthread_mutex_unlock(intptr_t* lock) {
    InterlockedExchange(reinterpret_cast<volatile LONG*>(lock), kUnlocked);
    return 0;
}

// A thread's values are not destroyed when it ends: the runtime's per-thread
// blocks are only made on the program's own thread, which ends with the
// process.
int pthread_key_create(unsigned* key, void (*)(void*)) {
    DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) return EAGAIN;
    *key = slot;
    return 0;
}

void* pthread_getspecific(unsigned key) {
    DWORD error = GetLastError();  // as the library's: callers read the error after it
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int pthread_setspecific(unsigned key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : EINVAL;
}

}  // extern "C"
