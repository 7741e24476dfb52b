// SPDX-License-Identifier: MIT
#include "ui/key_preview_filter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <utility>
#include <vector>

namespace fretlux {
namespace {

class KeyPreviewFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        // A focusable child that ignores keys, so that they travel on to its parents.
        plain = new QWidget(&window);
        plain->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(edit);
        layout->addWidget(plain);
        qApp->installEventFilter(&filter);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    QLineEdit* edit = nullptr;
    QWidget* plain = nullptr;
    bool enabled = true;
    std::vector<std::pair<int, int>> keys;
    KeyPreviewFilter filter{&window, [this] { return enabled; },
                            [this](int code, int shift) { keys.emplace_back(code, shift); }};
};

TEST_F(KeyPreviewFilterTest, KeyTypedIntoAChildReachesTheWindowAndTheChild) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_3);
    QTest::keyClick(edit, Qt::Key_Plus, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{'3', 0}, {'+', 1}, {13, 0}}));
    EXPECT_EQ(edit->text(), QStringLiteral("3+"));
}

TEST_F(KeyPreviewFilterTest, KeyIgnoredByTheChildIsSeenOnceOnItsWayUp) {
    plain->setFocus();
    QTest::keyClick(plain, Qt::Key_5);
    EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{'5', 0}}));
}

TEST_F(KeyPreviewFilterTest, NothingIsForwardedWhilePreviewIsOffOrForKeysWithoutCharacter) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Left);
    enabled = false;
    QTest::keyClick(edit, Qt::Key_1);
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
}

TEST_F(KeyPreviewFilterTest, KeysOfAnotherWindowAreNotForwarded) {
    QLineEdit other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.setFocus();
    QTest::keyClick(&other, Qt::Key_2);
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(other.text(), QStringLiteral("2"));
}

}  // namespace
}  // namespace fretlux
