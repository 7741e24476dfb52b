// SPDX-License-Identifier: MIT
#include "platform/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace fretlux {

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 640;

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new QTextBrowser(this)),
      search_(new QLineEdit(this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Fretlux Help"));
    browser_->setObjectName(QStringLiteral("helpPage"));
    // Links to other sites leave for the browser; links between the pages stay here.
    browser_->setOpenExternalLinks(true);
    search_->setObjectName(QStringLiteral("helpSearch"));
    search_->setPlaceholderText(QStringLiteral("Search this page"));
    search_->setClearButtonEnabled(true);

    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto* find = new QPushButton(QStringLiteral("Find &Next"), this);
    auto* inBrowser = new QPushButton(QStringLiteral("Open in &Browser"), this);
    inBrowser->setObjectName(QStringLiteral("helpOpenInBrowser"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(search_, &QLineEdit::returnPressed, this, &HelpWindow::FindNext);
    connect(find, &QPushButton::clicked, this, &HelpWindow::FindNext);
    connect(inBrowser, &QPushButton::clicked, this, &HelpWindow::OpenInBrowser);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        status_->clear();
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Fretlux Help")
                                       : title + QStringLiteral(" - Fretlux Help"));
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(search_, 1);
    bar->addWidget(find);
    bar->addWidget(inBrowser);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
    layout->addWidget(status_);
    // Closed from the keyboard as a dialog is.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(kWidth, kHeight);
}

void HelpWindow::ShowPage(const QString& path) {
    if (QFileInfo(path).isReadable()) {
        browser_->setSource(QUrl::fromLocalFile(path));
    } else {
        ShowMissing(path);
    }
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::Page() const { return browser_->source(); }

void HelpWindow::ShowMissing(const QString& path) {
    browser_->clearHistory();
    browser_->setHtml(
        QStringLiteral("<h2>This help page is missing</h2><p>%1</p>").arg(path.toHtmlEscaped()));
}

// From the caret on, round to the top again when the end is reached.
void HelpWindow::FindNext() {
    const QString text = search_->text();
    if (text.isEmpty()) return;
    if (browser_->find(text)) {
        status_->clear();
        return;
    }
    QTextCursor top = browser_->textCursor();
    top.movePosition(QTextCursor::Start);
    browser_->setTextCursor(top);
    status_->setText(browser_->find(text)
                         ? QStringLiteral("Search went on from the top.")
                         : QStringLiteral("\"%1\" is not on this page.").arg(text));
}

void HelpWindow::OpenInBrowser() {
    if (!browser_->source().isLocalFile() || !QDesktopServices::openUrl(browser_->source())) {
        status_->setText(QStringLiteral("No browser could be started to show this page."));
    }
}

}  // namespace fretlux
