// The main of every widget test program. Widget tests run on the offscreen platform unless a
// display is chosen explicitly; the variable must be set before the application exists, also
// when the build lists the tests (it runs the program without the tests' environment).
#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // Tests open and close windows one after another; the last one closing ends nothing.
    QApplication::setQuitOnLastWindowClosed(false);
    // QApplication takes the environment's locale; numbers in tests are read as C reads them.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
