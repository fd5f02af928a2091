#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Every test program runs its windows offscreen and in a fixed locale, so
// captions, number formats and file bytes do not depend on the machine.
// The offscreen platform reports every window feature it lacks; that is noise here.
static void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("This plugin does not support") || message.startsWith("QStandardPaths: XDG_RUNTIME_DIR"))
        return;
    qt_message_output(type, context, message);
}

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setApplicationName("RivikoneTests");
    QApplication::setOrganizationName("RivikoneTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
