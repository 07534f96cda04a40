#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vexa::sim {

// The commands of vexa-simctl on one simulator root. Each answers a process exit code and prints its
// result to standard output, its complaint to standard error.
class SimCtl {
public:
    explicit SimCtl(std::filesystem::path root);

    int Run(const std::string& command, const std::vector<std::string>& arguments);
    static void PrintHelp();

private:
    int createDemo(const std::vector<std::string>& arguments);
    int create(const std::vector<std::string>& arguments);
    int list();
    int plug(const std::vector<std::string>& arguments, bool plugged);
    int wifi(const std::vector<std::string>& arguments);
    int stats(const std::vector<std::string>& arguments);
    int fault(const std::vector<std::string>& arguments);
    int clearFaults(const std::vector<std::string>& arguments);
    int backupPassword(const std::vector<std::string>& arguments);

    bool findDevice(const std::string& udid) const;

    std::filesystem::path m_root;
};

} // namespace vexa::sim
