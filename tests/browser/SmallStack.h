#pragma once

// Runs work on a thread with a small stack of its own, so that a recursion as deep as the input
// is long ends the test with a crash instead of passing on the main thread's 8 MiB.

#include <pthread.h>

#include <functional>

namespace sorting_test {

inline constexpr size_t SmallStackBytes = 256 * 1024;

// False when no such thread could be made.
inline bool RunOnSmallStack(const std::function<void()>& work, size_t stackBytes = SmallStackBytes)
{
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return false;
    bool ok = pthread_attr_setstacksize(&attributes, stackBytes) == 0;
    pthread_t thread;
    auto body = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ok = ok && pthread_create(&thread, &attributes, body, const_cast<std::function<void()>*>(&work)) == 0;
    pthread_attr_destroy(&attributes);
    return ok && pthread_join(thread, nullptr) == 0;
}

}  // namespace sorting_test
