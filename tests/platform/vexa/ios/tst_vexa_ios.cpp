#include <QCoreApplication>
#include <QtTest>

#include <vector>

#include <sqlite3.h>

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

bool ExecuteSql(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    char* error = nullptr;
    const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK;
    if (!ok)
        qWarning("%s: %s", file.c_str(), error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_close(db);
    return ok;
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
