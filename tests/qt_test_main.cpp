// SPDX-License-Identifier: MIT
// GoogleTest main for tests that need a QApplication. They run on the offscreen platform unless
// the environment names another, and never touch the user's own configuration or documents.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("FretluxTests"));
    QCoreApplication::setApplicationName(QStringLiteral("FretluxTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
