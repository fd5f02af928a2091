#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Every test program runs its windows offscreen and in a fixed locale, so
// captions, number formats and file bytes do not depend on the machine.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setApplicationName("RivikoneTests");
    QApplication::setOrganizationName("RivikoneTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
