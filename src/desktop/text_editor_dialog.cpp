// SPDX-License-Identifier: MIT
#include "desktop/text_editor_dialog.h"

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/text_codec.h"

namespace fretlux {

namespace {

// The window's first size, in characters and lines of the box's font.
constexpr int kColumnsShown = 64;
constexpr int kLinesShown = 20;

QKeySequence EditShortcut(std::size_t index) {
    static const std::array<QKeySequence, 3> shortcuts{QKeySequence(Qt::CTRL | Qt::Key_X),
                                                       QKeySequence(Qt::CTRL | Qt::Key_C),
                                                       QKeySequence(Qt::CTRL | Qt::Key_V)};
    return shortcuts.at(index);
}

struct CharacterSize {
    qsizetype units;
    std::size_t bytes;
};

// The box separates lines with the paragraph separator, which the model holds as CR LF. Every
// other character takes what EncodeDocumentText makes of it, a surrogate pair taken whole.
CharacterSize SizeAt(const QString& text, qsizetype index, bool utf8) {
    const QChar character = text.at(index);
    if (character == QChar::ParagraphSeparator) return {1, 2};
    if (character.unicode() < 0x80) return {1, 1};
    const bool pair = character.isHighSurrogate() && index + 1 < text.size() &&
                      text.at(index + 1).isLowSurrogate();
    const qsizetype units = pair ? 2 : 1;
    return {units, EncodeDocumentText(text.mid(index, units), utf8).size()};
}

bool IsShiftedLineBreak(const QKeyEvent& event) {
    const bool lineBreak = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return lineBreak && event.modifiers().testFlag(Qt::ShiftModifier);
}

}  // namespace

TextEditorDialog::TextEditorDialog(TextEditorForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromStdString(form.caption));
    box_ = new QPlainTextEdit(this);
    box_->setObjectName(QStringLiteral("txtEdit"));
    menus_ = new QMenuBar(this);
    menus_->setNativeMenuBar(false);
    BuildMenus();
    box_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus_);
    layout->addWidget(box_);

    ShowMenuItems();
    ShowWholeText();

    const QFontMetrics metrics(box_->font());
    resize(metrics.averageCharWidth() * kColumnsShown, metrics.lineSpacing() * kLinesShown);
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        move(area.x() + area.width() / 2 - width() / 2,
             area.y() + area.height() / 2 - height() / 2);
    }
}

void TextEditorDialog::BuildMenus() {
    QMenu* file = menus_->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    for (std::size_t i = 0; i < fileItems_.size(); ++i) {
        fileItems_[i] = file->addAction(QString::fromStdString(form_.mnuFileItem[i].caption));
        fileItems_[i]->setObjectName(QStringLiteral("mnuFileItem%1").arg(i));
        const int index = static_cast<int>(i);
        connect(fileItems_[i], &QAction::triggered, this, [this, index] { RunFileItem(index); });
    }
    QMenu* edit = menus_->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    for (std::size_t i = 0; i < editItems_.size(); ++i) {
        editItems_[i] = edit->addAction(QString::fromStdString(form_.mnuEditItem[i].caption));
        editItems_[i]->setObjectName(QStringLiteral("mnuEditItem%1").arg(i));
        editItems_[i]->setShortcut(EditShortcut(i));
        const int index = static_cast<int>(i);
        connect(editItems_[i], &QAction::triggered, this, [this, index] { RunEditItem(index); });
    }
    connect(edit, &QMenu::aboutToShow, this, &TextEditorDialog::RefreshEditMenu);
}

void TextEditorDialog::RunEditItem(int index) {
    WriteBoxToModel();
    form_.RunEditItem(index);
    ShowModel();
}

void TextEditorDialog::RunFileItem(int index) {
    WriteBoxToModel();
    form_.RunFileItem(index);
    ShowModel();
    if (form_.closeRequested) accept();
}

void TextEditorDialog::RefreshEditMenu() {
    WriteBoxToModel();
    form_.PrepareEditMenu();
    ShowMenuItems();
}

void TextEditorDialog::ShowMenuItems() {
    for (std::size_t i = 0; i < editItems_.size(); ++i) {
        editItems_[i]->setEnabled(form_.mnuEditItem[i].enabled);
    }
    for (std::size_t i = 0; i < fileItems_.size(); ++i) {
        fileItems_[i]->setEnabled(form_.mnuFileItem[i].enabled);
    }
}

bool TextEditorDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched == box_ && event->type() == QEvent::KeyPress &&
        IsShiftedLineBreak(*static_cast<QKeyEvent*>(event))) {
        // The box would break the line inside its paragraph with a line separator, which the
        // document's text cannot hold; a plain line break is what the user sees, and what is saved.
        QTextCursor cursor = box_->textCursor();
        cursor.insertBlock();
        box_->setTextCursor(cursor);
        return true;
    }
    if (watched == box_ && key) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (std::size_t i = 0; i < editItems_.size(); ++i) {
            if (pressed != EditShortcut(i)) continue;
            // The box would cut, copy and paste by itself; the Edit menu's items do it instead,
            // enabled or greyed out as opening the menu would leave them. Refused here, the key
            // goes to the window's shortcut; a greyed-out item's key then dies as a key press.
            if (event->type() == QEvent::ShortcutOverride) RefreshEditMenu();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Escape is Close, with Close's question, so that no edit is thrown away without a word.
void TextEditorDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        RunFileItem(1);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TextEditorDialog::WriteBoxToModel() {
    const QString text = BoxText();
    const QTextCursor cursor = box_->textCursor();
    handedBoxStart_ = cursor.selectionStart();
    handedBoxEnd_ = cursor.selectionEnd();
    form_.text = ModelText(text);
    form_.selStart = ModelOffset(text, handedBoxStart_);
    form_.selLength = ModelOffset(text, handedBoxEnd_) - form_.selStart;
    handedText_ = form_.text;
    handedStart_ = form_.selStart;
    handedLength_ = form_.selLength;
    handed_ = true;
}

void TextEditorDialog::ShowModel() {
    if (handed_ && form_.text == handedText_) {
        SelectBytes(form_.selStart, form_.selLength);
        return;
    }
    if (handed_ && ShowReplacement()) return;
    ShowWholeText();
}

void TextEditorDialog::ShowWholeText() {
    const DecodedText decoded = DecodeDocumentText(form_.text);
    utf8_ = decoded.utf8;
    box_->setPlainText(decoded.text);
    SelectBytes(form_.selStart, form_.selLength);
    handed_ = false;
}

// A pasted text comes as UTF-8 whatever the document's encoding, so the part put in is decoded
// on its own; the rest of the box is not decoded again at all.
bool TextEditorDialog::ShowReplacement() {
    const std::string& text = form_.text;
    const std::size_t suffixLength = handedText_.size() - handedStart_ - handedLength_;
    if (text.size() < handedStart_ + suffixLength ||
        text.compare(0, handedStart_, handedText_, 0, handedStart_) != 0 ||
        text.compare(text.size() - suffixLength, suffixLength, handedText_,
                     handedText_.size() - suffixLength, suffixLength) != 0) {
        return false;
    }
    const std::size_t insertedLength = text.size() - handedStart_ - suffixLength;
    QTextCursor cursor(box_->document());
    cursor.setPosition(handedBoxStart_);
    cursor.setPosition(handedBoxEnd_, QTextCursor::KeepAnchor);
    cursor.insertText(DecodeDocumentText(text.substr(handedStart_, insertedLength)).text);

    // Offsets before and after the new part keep their place; one inside it goes to its end.
    const QString boxText = BoxText();
    const qsizetype insertedEnd = cursor.position();
    const std::size_t insertedEndBytes = ModelOffset(boxText, insertedEnd);
    const auto toBox = [&](std::size_t offset) {
        if (offset <= handedStart_) return BoxPosition(boxText, offset);
        if (offset < handedStart_ + insertedLength) return insertedEnd;
        return BoxPosition(boxText, insertedEndBytes + (offset - handedStart_ - insertedLength));
    };
    const qsizetype from = toBox(form_.selStart);
    cursor.setPosition(from);
    cursor.setPosition(std::max(from, toBox(form_.selStart + form_.selLength)),
                       QTextCursor::KeepAnchor);
    box_->setTextCursor(cursor);
    // The model then holds the new part in the document's encoding, as the box will hand it.
    WriteBoxToModel();
    return true;
}

void TextEditorDialog::SelectBytes(std::size_t start, std::size_t length) {
    const QString text = BoxText();
    const qsizetype from = BoxPosition(text, start);
    const qsizetype to = std::max(from, BoxPosition(text, start + length));
    QTextCursor cursor = box_->textCursor();
    // An unchanged selection keeps the end the user dragged it from.
    if (cursor.selectionStart() == from && cursor.selectionEnd() == to) return;
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    box_->setTextCursor(cursor);
}

// The raw text keeps no-break spaces and line separators, which the plain text would turn into
// blanks and line ends.
QString TextEditorDialog::BoxText() const { return box_->document()->toRawText(); }

std::string TextEditorDialog::ModelText(const QString& boxText) const {
    QString text = boxText;
    text.replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n"));
    return EncodeDocumentText(text, utf8_);
}

std::size_t TextEditorDialog::ModelOffset(const QString& boxText, qsizetype position) const {
    std::size_t bytes = 0;
    for (qsizetype i = 0; i < position && i < boxText.size();) {
        const CharacterSize size = SizeAt(boxText, i, utf8_);
        bytes += size.bytes;
        i += size.units;
    }
    return bytes;
}

// An offset inside a character (between CR and LF, inside a UTF-8 sequence) goes to its start.
qsizetype TextEditorDialog::BoxPosition(const QString& boxText, std::size_t offset) const {
    std::size_t bytes = 0;
    qsizetype i = 0;
    while (i < boxText.size()) {
        const CharacterSize size = SizeAt(boxText, i, utf8_);
        if (bytes + size.bytes > offset) break;
        bytes += size.bytes;
        i += size.units;
    }
    return i;
}

}  // namespace fretlux
