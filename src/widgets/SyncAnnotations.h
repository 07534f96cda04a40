#pragma once

// Qt is not built with ThreadSanitizer, so the sanitizer cannot see Qt's own synchronisation: the
// mutex that guards a thread's posted events, or the semaphore a blocking queued signal waits on.
// Where we hand data from one thread to another through such a signal, these marks tell the
// sanitizer about the order Qt already guarantees. Outside a ThreadSanitizer build they are empty.
//
// VEXA_HAPPENS_BEFORE(p) in the thread that hands over, after its last access;
// VEXA_HAPPENS_AFTER(p) in the thread that takes over, before its first access.
#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define VEXA_HAPPENS_BEFORE(p) __tsan_release(const_cast<void*>(static_cast<const volatile void*>(p)))
#define VEXA_HAPPENS_AFTER(p) __tsan_acquire(const_cast<void*>(static_cast<const volatile void*>(p)))
#else
#define VEXA_HAPPENS_BEFORE(p) static_cast<void>(p)
#define VEXA_HAPPENS_AFTER(p) static_cast<void>(p)
#endif
