#include <cstdio>
#include <string>
#include <vector>

#include "SimCtl.h"
#include "sim/SimBackend.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::filesystem::path root = vexa::sim::SimBackend::RootFromEnvironment();
    if (arguments.size() >= 2 && arguments[0] == "--root") {
        root = arguments[1];
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
        vexa::sim::SimCtl::PrintHelp();
        return arguments.empty() ? 2 : 0;
    }
    const std::string command = arguments.front();
    arguments.erase(arguments.begin());
    return vexa::sim::SimCtl(root).Run(command, arguments);
}
