#pragma once

#include <QObject>

#include <functional>
#include <memory>

// Each reader's test class registers itself here; the program runs them one after another.
using IosTestFactory = std::function<std::unique_ptr<QObject>()>;
bool RegisterIosTest(IosTestFactory factory);

#define VEXA_IOS_TEST(Class)                                                                                 \
    [[maybe_unused]] static const bool registered##Class =                                                   \
        RegisterIosTest([] { return std::unique_ptr<QObject>(new Class); });
