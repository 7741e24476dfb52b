// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QUrl;

namespace fretlux {

// Fretlux's own window for its help pages: the page with its links, Back and Forward, a search
// box, and a button that opens the page in the desktop's browser for whoever prefers one.
// Nothing in it depends on a browser being installed.
class HelpWindow final : public QWidget {
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page (a local file), raising the window if it is already open.
    void ShowPage(const QString& path);
    QUrl Page() const;

private:
    void FindNext();
    void OpenInBrowser();
    void ShowMissing(const QString& path);

    QTextBrowser* browser_;
    QLineEdit* search_;
    QLabel* status_;
};

}  // namespace fretlux
