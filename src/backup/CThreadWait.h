#pragma once

class QThread;

// Waits for a worker thread to end while the calling thread's events keep flowing, so a window that
// waits still repaints and receives the worker's last queued signals. A finished thread is not waited for.
void WaitForThread(QThread* thread);
