#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QObject>

// tst_device runs several Qt Test classes in one program; each test file registers its class here with
// VEXA_DEVICE_TEST(ClassName) at file scope.
using DeviceTestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<DeviceTestFactory>& DeviceTests();

struct DeviceTestRegistration {
    explicit DeviceTestRegistration(DeviceTestFactory factory) {
        DeviceTests().push_back(std::move(factory));
    }
};

#define VEXA_DEVICE_TEST(TestClass)                                                                          \
    static const DeviceTestRegistration TestClass##Registration([] { return std::make_unique<TestClass>(); })
