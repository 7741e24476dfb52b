// SPDX-License-Identifier: MIT
#include "desktop/fast_find_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace fretlux {

namespace {

void ShowSelection(QListWidget& list, int listIndex) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    const int shown = selected.isEmpty() ? -1 : list.row(selected.first());
    if (shown == listIndex) return;
    const QSignalBlocker blocker(&list);
    if (listIndex < 0) {
        list.clearSelection();
    } else {
        list.setCurrentRow(listIndex);
    }
}

// Every item shows whole, without a scroll bar ("Variation 1" as much as "7+5(-9)").
void FitItems(QListWidget& list) {
    const int rows = list.count();
    const int height = rows * list.sizeHintForRow(0) + 2 * list.frameWidth();
    list.setFixedHeight(height);
    int widest = 0;
    for (int row = 0; row < rows; ++row) {
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.item(row)->text()));
    }
    list.setFixedWidth(widest + 2 * list.frameWidth() + list.fontMetrics().height());
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

}  // namespace

FastFindDialog::FastFindDialog(FastFindForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromLatin1(kFastFindCaption));
    lstChord_ = AddList("lstChord", form_.lstChord, &FastFindForm::ChooseRoot);
    lstType_ = AddList("lstType", form_.lstType, &FastFindForm::ChooseFirstListType);
    lstType2_ = AddList("lstType2", form_.lstType2, &FastFindForm::ChooseSecondListType);
    lstVariat_ = AddList("lstVariat", form_.lstVariat, nullptr);
    auto* find = new QPushButton(QStringLiteral("Find"), this);
    find->setObjectName(QStringLiteral("cmdFind"));
    find->setDefault(true);
    cmdClose_ = new QPushButton(QStringLiteral("Close"), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));

    auto* side = new QVBoxLayout;
    side->addWidget(Heading("&Variation", *lstVariat_));
    side->addWidget(lstVariat_);
    side->addWidget(find);
    side->addWidget(cmdClose_);
    side->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Heading("&Root", *lstChord_), 0, 0);
    // One heading over both type lists: together they are one list of types.
    layout->addWidget(Heading("&Type", *lstType_), 0, 1, 1, 2);
    layout->addWidget(lstChord_, 1, 0, Qt::AlignTop);
    layout->addWidget(lstType_, 1, 1, Qt::AlignTop);
    layout->addWidget(lstType2_, 1, 2, Qt::AlignTop);
    layout->addLayout(side, 0, 3, 2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(find, cmdClose_);
    setTabOrder(cmdClose_, lstChord_);
    setTabOrder(lstChord_, lstType_);
    setTabOrder(lstType_, lstVariat_);
    setTabOrder(lstVariat_, lstType2_);
    find->setFocus();

    connect(find, &QPushButton::clicked, this, [this] {
        form_.Find();
        CloseIfRequested();
    });
    connect(cmdClose_, &QPushButton::clicked, this, [this] {
        form_.Close();
        CloseIfRequested();
    });
    ShowLists();
}

QLabel* FastFindDialog::Heading(const char* caption, QListWidget& list) {
    auto* heading = new QLabel(QString::fromLatin1(caption), this);
    heading->setBuddy(&list);
    list.setAccessibleName(heading->text().remove(QLatin1Char('&')));
    return heading;
}

QListWidget* FastFindDialog::AddList(const char* name, ListBoxModel& model,
                                     void (FastFindForm::*onClick)()) {
    auto* list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& item : model.items) list->addItem(QString::fromStdString(item));
    FitItems(*list);
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this, list, &model, onClick] { SelectionChanged(*list, model, onClick); });
    return list;
}

// A list box keeps its selection: a control-click that takes it away puts it back.
void FastFindDialog::SelectionChanged(QListWidget& list, ListBoxModel& model,
                                      void (FastFindForm::*onClick)()) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    if (selected.isEmpty()) {
        ShowLists();
        return;
    }
    model.listIndex = list.row(selected.first());
    if (onClick != nullptr) (form_.*onClick)();
    ShowLists();
}

void FastFindDialog::ShowLists() {
    ShowSelection(*lstChord_, form_.lstChord.listIndex);
    ShowSelection(*lstType_, form_.lstType.listIndex);
    ShowSelection(*lstType2_, form_.lstType2.listIndex);
    ShowSelection(*lstVariat_, form_.lstVariat.listIndex);
}

void FastFindDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdClose_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FastFindDialog::CloseIfRequested() {
    if (form_.closeRequested) accept();
}

}  // namespace fretlux
