#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace knjtest {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// Adds a test class to the executable's list; the shared main runs every class in order.
bool registerTest(const char* name, TestFactory factory);

} // namespace knjtest

#define KNJ_REGISTER_TEST(Class)                                                                                       \
    static const bool knjRegistered##Class =                                                                           \
        knjtest::registerTest(#Class, [] { return std::unique_ptr<QObject>(new Class); });
