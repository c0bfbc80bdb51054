// gtest entry for every suite, with the Qt application object in place.
#include <gtest/gtest.h>

#if defined(ZEPH_TEST_WIDGETS)
#include <QApplication>
using App = QApplication;
#elif defined(ZEPH_TEST_GUI)
#include <QGuiApplication>
using App = QGuiApplication;
#else
#include <QCoreApplication>
using App = QCoreApplication;
#endif

int main(int argc, char** argv)
{
#if defined(ZEPH_TEST_WIDGETS) || defined(ZEPH_TEST_GUI)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    App app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
