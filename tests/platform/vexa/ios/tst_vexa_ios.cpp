#include <QCoreApplication>
#include <QtTest>

#include <vector>

#include "IosTests.h"

namespace {
std::vector<IosTestFactory>& Factories() {
    static std::vector<IosTestFactory> factories;
    return factories;
}
} // namespace

bool RegisterIosTest(IosTestFactory factory) {
    Factories().push_back(std::move(factory));
    return true;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failed = 0;
    for (const IosTestFactory& factory : Factories()) {
        std::unique_ptr<QObject> test = factory();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed;
}
