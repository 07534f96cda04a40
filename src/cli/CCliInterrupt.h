#pragma once

// Ctrl+C (SIGINT) and SIGTERM while a command runs: the first asks the running work to stop at its next
// step, so it can leave nothing half-written; the command then exits with status 5.
class CCliInterrupt {
public:
    static void Install();
    static bool Requested();
};
