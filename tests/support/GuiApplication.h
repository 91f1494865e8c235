#pragma once

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace kestrava::test {

// A test suite whose pictures draw text: that needs the font database of a
// GUI application, which the core tests otherwise do without.
class WithGuiApplication : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (QCoreApplication::instance())
            return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        s_app = new QGuiApplication(s_argc, s_argv);
    }
    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
    }

private:
    static inline int s_argc = 1;
    static inline char s_name[] = "core-tests";
    static inline char* s_argv[] = {s_name, nullptr};
    static inline QGuiApplication* s_app = nullptr;
};

} // namespace kestrava::test
