// SPDX-License-Identifier: MIT
#include "desktop/first_run_marker.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace fretlux {
namespace {

TEST(FirstRunMarker, TheFirstRunLastsUntilRecordedAlsoForANewRunAndAnEarlierMarkerDoesNotEndIt) {
    QTemporaryDir temporary;
    const QString config = temporary.filePath(QStringLiteral("config/Fretlux"));
    QDir().mkpath(config);
    QFile(QDir(config).filePath(QStringLiteral("first-run-done"))).open(QIODevice::WriteOnly);
    FirstRunMarker marker(config);
    EXPECT_TRUE(marker.IsFirstRun());
    EXPECT_TRUE(FirstRunMarker(config).IsFirstRun());
    marker.Record();
    EXPECT_FALSE(marker.IsFirstRun());
    EXPECT_FALSE(FirstRunMarker(config).IsFirstRun());
    EXPECT_TRUE(FirstRunMarker(temporary.filePath(QStringLiteral("other"))).IsFirstRun());
}

}  // namespace
}  // namespace fretlux
