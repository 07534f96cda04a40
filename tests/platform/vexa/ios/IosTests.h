#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>

// Each reader's test class registers itself here; the program runs them one after another.
using IosTestFactory = std::function<std::unique_ptr<QObject>()>;
bool RegisterIosTest(IosTestFactory factory);

#define VEXA_IOS_TEST(Class)                                                                                 \
    [[maybe_unused]] static const bool registered##Class =                                                   \
        RegisterIosTest([] { return std::unique_ptr<QObject>(new Class); });

// Runs the statements on the SQLite file (made when missing); false, with SQLite's complaint logged, when
// one fails.
bool ExecuteSql(const std::string& file, const std::string& sql);
