// Entry of the window tests: a QApplication on the off-screen platform, with the settings, the
// user's data folder and the cache in a folder of this run's own (never a user's, nor another
// test's running at the same time), then every test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ProgramStyle.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, (home.path() + "/" + variable).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setStyle(tarvell::createProgramStyle());
    QApplication::setOrganizationName("TarvellTests");
    QApplication::setApplicationName("TarvellTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
