// SPDX-License-Identifier: MIT
// The help window as a reader meets it: a page, a link followed with the mouse, a search.
#include "platform/help_window.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>

namespace fretlux {
namespace {

// Where the link to the given page stands in the browser's viewport.
std::optional<QPoint> LinkPosition(QTextBrowser& browser, const QString& href) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorHref() != href) continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.fragment().position() + 1);
            browser.setTextCursor(cursor);
            browser.ensureCursorVisible();
            return browser.cursorRect(cursor).center();
        }
    }
    return std::nullopt;
}

TEST(HelpWindow, ShowsAPageFollowsItsLinksAndFindsWordsWithoutABrowser) {
    HelpWindow window;
    window.ShowPage(QStringLiteral(FRETLUX_DATA_DIR "/help/help.htm"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fretlux user's guide - Fretlux Help"));
    auto* browser = window.findChild<QTextBrowser*>(QStringLiteral("helpPage"));
    ASSERT_NE(browser, nullptr);

    const auto link = LinkPosition(*browser, QStringLiteral("tab.htm"));
    ASSERT_TRUE(link.has_value());
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, *link);
    EXPECT_EQ(window.Page().fileName(), QStringLiteral("tab.htm"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TAB notation and TAB files - Fretlux Help"));

    auto* search = window.findChild<QLineEdit*>(QStringLiteral("helpSearch"));
    ASSERT_NE(search, nullptr);
    QTest::keyClicks(search, QStringLiteral("string"));
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(browser->textCursor().selectedText().toLower(), QStringLiteral("string"));

    window.ShowPage(QStringLiteral("/no/such/help.htm"));
    EXPECT_TRUE(browser->toPlainText().startsWith(QStringLiteral("This help page is missing")));
}

}  // namespace
}  // namespace fretlux
