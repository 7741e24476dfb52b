// SPDX-License-Identifier: MIT
#include "platform/first_run_marker.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace fretlux {
namespace {

TEST(FirstRunMarker, OnlyTheFirstAskOfAConfigurationDirectoryIsTrueAlsoForANewRun) {
    QTemporaryDir temporary;
    const QString config = temporary.filePath(QStringLiteral("config/Fretlux"));
    FirstRunMarker marker(config);
    EXPECT_TRUE(marker.IsFirstRun());
    EXPECT_TRUE(QFile::exists(QDir(config).filePath(QStringLiteral("first-run-done"))));
    EXPECT_FALSE(marker.IsFirstRun());
    EXPECT_FALSE(FirstRunMarker(config).IsFirstRun());
    EXPECT_TRUE(FirstRunMarker(temporary.filePath(QStringLiteral("other"))).IsFirstRun());
}

}  // namespace
}  // namespace fretlux
