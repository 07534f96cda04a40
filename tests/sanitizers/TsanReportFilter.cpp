// Linked into every test program of the ThreadSanitizer build.
//
// Qt starts threads of its own that none of our code runs on: the network access manager's thread
// and the global pool that scales large images. Qt is not instrumented and its libraries carry no
// symbols, so hand-overs inside those threads (a shared string's copy, an object freed after its
// QMutex-guarded queue was emptied) show as races whose stacks are all anonymous Qt frames, and no
// suppression pattern can name them. A report is dropped when every thread in it other than the main
// thread is one of Qt's own; a report that involves any thread we start is always kept.

#include <cstring>

namespace __tsan {
struct ReportDesc;
// The runtime's hook, called for every report before it is printed; true drops the report.
bool OnReport(const ReportDesc* report, bool suppressed);
} // namespace __tsan

extern "C" {
int __tsan_get_report_data(void* report, const char** description, int* count, int* stackCount, int* mopCount,
                           int* locCount, int* mutexCount, int* threadCount, int* uniqueTidCount,
                           void** sleepTrace, unsigned long traceSize);
int __tsan_get_report_thread(void* report, unsigned long index, int* tid, unsigned long long* osId,
                             int* running, const char** name, int* parentTid, void** trace,
                             unsigned long traceSize);
}

namespace {
// The names Qt gives its threads (truncated to the kernel's 15 characters).
bool IsQtOwnThread(const char* name) {
    return name && (std::strcmp(name, "QNetworkAccessM") == 0 || std::strcmp(name, "Thread (pooled)") == 0);
}

bool OnlyQtOwnThreads(void* report) {
    const char* description = nullptr;
    int count = 0, stacks = 0, mops = 0, locs = 0, mutexes = 0, threads = 0, uniqueTids = 0;
    void* sleepTrace[1] = {nullptr};
    if (!__tsan_get_report_data(report, &description, &count, &stacks, &mops, &locs, &mutexes, &threads,
                                &uniqueTids, sleepTrace, 1) ||
        !description || std::strcmp(description, "data-race") != 0)
        return false;
    int qtThreads = 0;
    for (int i = 0; i < threads; ++i) {
        int tid = 0, running = 0, parent = 0;
        unsigned long long osId = 0;
        const char* name = nullptr;
        void* trace[1] = {nullptr};
        if (!__tsan_get_report_thread(report, static_cast<unsigned long>(i), &tid, &osId, &running, &name,
                                      &parent, trace, 1))
            return false;
        if (tid == 0)
            continue;
        if (!IsQtOwnThread(name))
            return false;
        ++qtThreads;
    }
    return qtThreads > 0;
}
} // namespace

bool __tsan::OnReport(const ReportDesc* report, bool suppressed) {
    return suppressed || OnlyQtOwnThreads(const_cast<ReportDesc*>(report));
}
