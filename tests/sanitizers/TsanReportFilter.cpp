// Linked into every test program of the ThreadSanitizer build: drops reports about hand-overs that
// happen entirely inside uninstrumented libraries, where no suppression pattern can name a frame.
//
// Qt and FFmpeg are not built with ThreadSanitizer and carry no symbols for their internal
// functions. The checker sees their memory only through the C library calls they make (memmove,
// malloc/free) and sees none of their own ordering: QMutex is futex based, and FFmpeg's frame
// threads pass decoded frames on through C11 atomics. Three kinds of report are dropped:
// - every thread in it other than the main thread is one of Qt's own (the network access
//   manager's thread, the global pool that scales large images);
// - one of the two accesses is made by FFmpeg's code on a thread that FFmpeg started (frame and
//   slice threads of a decoder); our log callback, which also runs there, stays checked;
// - both accesses are made by Qt's code, in a heap block Qt allocated for itself (its posted-event
//   queue, filled and emptied by several threads under its own QMutex);
// - one thread closes a file descriptor and another is handed the same number by a later open: the
//   kernel gives a number out only after its close, an order the checker does not see. opendir is
//   not intercepted at all, so a directory stream's closedir meets whatever file last had its number
//   (often with that file's stack lost).
// A report whose racing accesses are made by our own code is always kept.

#include <cstring>
#include <initializer_list>
#include <utility>

#include <dlfcn.h>

namespace __tsan {
struct ReportDesc;
// The runtime's hook, called for every report before it is printed; true drops the report.
bool OnReport(const ReportDesc* report, bool suppressed);
} // namespace __tsan

extern "C" {
int __tsan_get_report_data(void* report, const char** description, int* count, int* stackCount, int* mopCount,
                           int* locCount, int* mutexCount, int* threadCount, int* uniqueTidCount,
                           void** sleepTrace, unsigned long traceSize);
int __tsan_get_report_mop(void* report, unsigned long index, int* tid, void** address, int* size, int* write,
                          int* atomic, void** trace, unsigned long traceSize);
int __tsan_get_report_loc(void* report, unsigned long index, const char** type, void** address,
                          unsigned long* start, unsigned long* size, int* tid, int* fd, int* suppressable,
                          void** trace, unsigned long traceSize);
int __tsan_get_report_thread(void* report, unsigned long index, int* tid, unsigned long long* osId,
                             int* running, const char** name, int* parentTid, void** trace,
                             unsigned long traceSize);
}

namespace {

constexpr unsigned long kTraceSize = 64;

struct Counts {
    int mops = 0;
    int locs = 0;
    int threads = 0;
};

bool DataRace(void* report, Counts& counts) {
    const char* description = nullptr;
    int count = 0, stacks = 0, mutexes = 0, uniqueTids = 0;
    void* sleepTrace[1] = {nullptr};
    return __tsan_get_report_data(report, &description, &count, &stacks, &counts.mops, &counts.locs, &mutexes,
                                  &counts.threads, &uniqueTids, sleepTrace, 1) &&
           description && std::strcmp(description, "data-race") == 0;
}

const char* ModuleOf(void* pc) {
    Dl_info info;
    return pc && dladdr(pc, &info) && info.dli_fname ? info.dli_fname : "";
}

bool InModule(void* pc, const char* namePart) {
    return std::strstr(ModuleOf(pc), namePart) != nullptr;
}

// The first frame of a trace that is not the sanitizer's own interceptor.
void* FirstOutsideRuntime(void* const* trace, unsigned long size) {
    for (unsigned long i = 0; i < size && trace[i]; ++i) {
        if (!InModule(trace[i], "libtsan"))
            return trace[i];
    }
    return nullptr;
}

bool IsFfmpegModule(void* pc) {
    return InModule(pc, "/libavcodec.so") || InModule(pc, "/libavformat.so") ||
           InModule(pc, "/libavutil.so") || InModule(pc, "/libswscale.so");
}

// The names Qt gives its threads (truncated to the kernel's 15 characters).
bool IsQtOwnThread(const char* name) {
    return name && (std::strcmp(name, "QNetworkAccessM") == 0 || std::strcmp(name, "Thread (pooled)") == 0);
}

struct ThreadInfo {
    int tid = -1;
    const char* name = nullptr;
    void* creation[kTraceSize] = {};
};

bool ReadThread(void* report, int index, ThreadInfo& thread) {
    unsigned long long osId = 0;
    int running = 0, parent = 0;
    return __tsan_get_report_thread(report, static_cast<unsigned long>(index), &thread.tid, &osId, &running,
                                    &thread.name, &parent, thread.creation, kTraceSize);
}

bool OnlyQtOwnThreads(void* report, const Counts& counts) {
    int qtThreads = 0;
    for (int i = 0; i < counts.threads; ++i) {
        ThreadInfo thread;
        if (!ReadThread(report, i, thread))
            return false;
        if (thread.tid == 0)
            continue;
        if (!IsQtOwnThread(thread.name))
            return false;
        ++qtThreads;
    }
    return qtThreads > 0;
}

bool StartedByFfmpeg(void* report, const Counts& counts, int tid) {
    for (int i = 0; i < counts.threads; ++i) {
        ThreadInfo thread;
        if (ReadThread(report, i, thread) && thread.tid == tid)
            return tid != 0 && IsFfmpegModule(FirstOutsideRuntime(thread.creation, kTraceSize));
    }
    return false;
}

struct Access {
    int tid = -1;
    void* call = nullptr; // the innermost frame: for a descriptor, the intercepted C library call
    void* site = nullptr;
    bool write = false;
};

bool ReadAccess(void* report, int index, Access& access) {
    void* address = nullptr;
    int size = 0, write = 0, atomic = 0;
    void* trace[kTraceSize] = {};
    if (!__tsan_get_report_mop(report, static_cast<unsigned long>(index), &access.tid, &address, &size,
                               &write, &atomic, trace, kTraceSize))
        return false;
    access.call = trace[0];
    access.write = write != 0;
    access.site = FirstOutsideRuntime(trace, kTraceSize);
    return true;
}

const char* LocationType(void* report, const Counts& counts) {
    if (counts.locs != 1)
        return "";
    const char* type = nullptr;
    void* address = nullptr;
    unsigned long start = 0, size = 0;
    int tid = 0, fd = 0, suppressable = 0;
    void* trace[kTraceSize] = {};
    return __tsan_get_report_loc(report, 0, &type, &address, &start, &size, &tid, &fd, &suppressable, trace,
                                 kTraceSize) &&
                   type
               ? type
               : "";
}

// The C library call an interceptor frame stands for, without the runtime's prefix.
bool IsCall(void* pc, std::initializer_list<const char*> names) {
    Dl_info info;
    if (!pc || !dladdr(pc, &info) || !info.dli_sname)
        return false;
    const char* name = info.dli_sname;
    for (const char* prefix : {"___interceptor_", "__interceptor_"}) {
        if (std::strncmp(name, prefix, std::strlen(prefix)) == 0)
            name += std::strlen(prefix);
    }
    for (const char* candidate : names) {
        if (std::strcmp(name, candidate) == 0)
            return true;
    }
    return false;
}

bool ClosesDescriptor(void* pc) {
    return IsCall(pc, {"close", "closedir", "fclose"});
}

bool CreatesDescriptor(void* pc) {
    return IsCall(pc, {"open", "open64", "openat", "openat64", "creat", "creat64", "opendir", "fopen",
                       "fopen64", "socket", "accept", "accept4", "pipe", "pipe2", "dup", "eventfd",
                       "epoll_create1", "inotify_init1", "memfd_create"});
}

bool DescriptorReused(void* report, const Counts& counts) {
    Access first, second;
    if (counts.mops != 2 || std::strcmp(LocationType(report, counts), "fd") != 0 ||
        !ReadAccess(report, 0, first) || !ReadAccess(report, 1, second))
        return false;
    for (const auto& [closing, other] : {std::pair{first, second}, std::pair{second, first}}) {
        if (ClosesDescriptor(closing.call) &&
            (CreatesDescriptor(other.call) ||
             (IsCall(closing.call, {"closedir"}) && other.write && !other.call)))
            return true;
    }
    return false;
}

// The memory is a heap block that Qt allocated for itself (its event queues and lists grow there).
bool AllocatedByQt(void* report, const Counts& counts) {
    if (counts.locs != 1)
        return false;
    const char* type = nullptr;
    void* address = nullptr;
    unsigned long start = 0, size = 0;
    int tid = 0, fd = 0, suppressable = 0;
    void* trace[kTraceSize] = {};
    return __tsan_get_report_loc(report, 0, &type, &address, &start, &size, &tid, &fd, &suppressable, trace,
                                 kTraceSize) &&
           type && std::strcmp(type, "heap") == 0 &&
           InModule(FirstOutsideRuntime(trace, kTraceSize), "/libQt6");
}

bool InsideLibraries(void* report, const Counts& counts) {
    if (counts.mops != 2)
        return false;
    Access first, second;
    if (!ReadAccess(report, 0, first) || !ReadAccess(report, 1, second))
        return false;
    for (const Access& access : {first, second}) {
        if (IsFfmpegModule(access.site) && StartedByFfmpeg(report, counts, access.tid))
            return true;
    }
    return InModule(first.site, "/libQt6") && InModule(second.site, "/libQt6") &&
           AllocatedByQt(report, counts);
}

} // namespace

bool __tsan::OnReport(const ReportDesc* report, bool suppressed) {
    if (suppressed)
        return true;
    auto* data = const_cast<ReportDesc*>(report);
    Counts counts;
    if (!DataRace(data, counts))
        return false;
    return OnlyQtOwnThreads(data, counts) || InsideLibraries(data, counts) || DescriptorReused(data, counts);
}
