#include <QApplication>
#include <QTest>

#include "DeviceTestRegistry.h"

std::vector<DeviceTestFactory>& DeviceTests() {
    static std::vector<DeviceTestFactory> tests;
    return tests;
}

// Runs every registered test class; the program fails when any of them fails.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int failures = 0;
    for (const DeviceTestFactory& factory : DeviceTests()) {
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failures;
}
