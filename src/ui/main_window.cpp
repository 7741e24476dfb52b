// SPDX-License-Identifier: MIT
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "desktop/text_codec.h"
#include "ui/button_pictures.h"
#include "ui/event_codes.h"
#include "ui/fretboard_buttons.h"
#include "ui/fretboard_view.h"
#include "ui/hover_hints.h"
#include "ui/interval_timer.h"
#include "ui/key_preview_filter.h"
#include "ui/menu_commands.h"
#include "ui/picture_button.h"
#include "ui/player_buttons.h"
#include "ui/scroll_bar_binding.h"
#include "ui/tab_lines_view.h"

namespace fretlux {

namespace {

constexpr int kTabFontPoints = 11;

QFont TabFont() {
    QFont font(QStringLiteral("Liberation Mono"), kTabFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(false);
    font.setKerning(false);
    return font;
}

// The window's background, with its picture: the pointer moving over it, or over a child that
// does not handle the move itself, is reported.
class Background : public QWidget {
public:
    explicit Background(std::function<void()> onMove, QWidget* parent)
        : QWidget(parent), onMove_(std::move(onMove)) {
        setMouseTracking(true);
    }

protected:
    void mouseMoveEvent(QMouseEvent*) override {
        if (onMove_) onMove_();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintBackground(painter, QRectF(rect()));
    }

private:
    std::function<void()> onMove_;
};

QLabel* NamedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QScrollBar* HorizontalBar(const char* name, QWidget* parent) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    return bar;
}

void ShowText(QLabel& label, const std::string& bytes) {
    const QString text = DecodeDocumentText(bytes).text;
    if (label.text() != text) label.setText(text);
}

void ShowLabel(QLabel& label, const LabelModel& model) {
    ShowText(label, model.caption);
    const QColor colour = ToQColor(model.colour);
    if (label.palette().color(QPalette::WindowText) != colour) {
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, colour);
        label.setPalette(palette);
    }
}

// The one existing local file a drop carries, or nothing; its content decides how it is read.
std::optional<QString> DroppedFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) return std::nullopt;
    const QString path = urls.first().toLocalFile();
    if (!QFileInfo(path).isFile()) return std::nullopt;
    return path;
}

}  // namespace

MainWindow::MainWindow(FretluxForm& model, QWidget* parent) : QMainWindow(parent), model_(model) {
    menu_ = BuildMainMenu(*menuBar());
    setAcceptDrops(true);
    BuildLayout();
    ConnectControls();
    SyncFromModel();
    // The keys start on the TAB lines, not on the first picture button, so that Enter pastes
    // the fretboard and the digits give fingers from the first key on.
    tabLines_->setFocus();
    // Never smaller than the layout needs, so that the whole TAB, its scroll bar and the help
    // line stay in view; set now, the window manager knows it from the first showing on.
    setMinimumSize(minimumSizeHint());
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildLayout() {
    hoverHints_ = new HoverHints(this);
    auto* central = new Background(
        [this] { Run([&] { model_.HintControl(PointedControl::Background); }); }, this);
    auto* layout = new QVBoxLayout(central);
    playerButtons_ = new PlayerButtons(
        model_, [this](const std::function<void()>& handler) { Run(handler); }, central);
    layout->addWidget(playerButtons_);
    fretboard_ = new FretboardView(central);
    fretboard_->setObjectName(QStringLiteral("fretboard"));
    layout->addWidget(fretboard_, 1);
    fretboardButtons_ = new FretboardButtons(
        model_, [this](const std::function<void()>& handler) { Run(handler); }, central);
    layout->addWidget(fretboardButtons_);
    layout->addWidget(BuildNoteLine());
    layout->addWidget(BuildTabView());
    layout->addWidget(BuildSettingsBars());
    lblHelp_ = NamedLabel("lblHelp", central);
    lblHelp_->setFrameShape(QFrame::Panel);
    lblHelp_->setFrameShadow(QFrame::Sunken);
    lblHelp_->setMinimumHeight(lblHelp_->fontMetrics().height() + 6);
    layout->addWidget(lblHelp_);
    setCentralWidget(central);
    ShowHint(*txtTab_, PointedControl::txtTAB);
    ShowHint(*tabLines_, PointedControl::lblTAB);
    ShowHint(*hscTab_, PointedControl::hscTAB);
}

void MainWindow::ShowHint(QWidget& widget, PointedControl control) {
    hoverHints_->Add(widget, [this, control] { Run([&] { model_.HintControl(control); }); });
}

QWidget* MainWindow::BuildTabView() {
    auto* view = new QWidget(this);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    txtTab_ = new QLineEdit(view);
    txtTab_->setObjectName(QStringLiteral("txtTAB"));
    txtTab_->setFont(TabFont());
    tabLines_ = new TabLinesView(view);
    tabLines_->setObjectName(QStringLiteral("lblTAB"));
    tabLines_->setFont(TabFont());
    hscTab_ = HorizontalBar("hscTAB", view);
    // The TAB changes when the box is let go; while it is dragged only the help line follows.
    hscTab_->setTracking(false);
    hscTab_->setPageStep(1);
    layout->addWidget(txtTab_);
    layout->addWidget(tabLines_);
    layout->addWidget(hscTab_);
    tabBinding_ = std::make_unique<ScrollBarBinding>(*hscTab_, model_.Controls().hscTAB);
    return view;
}

QWidget* MainWindow::BuildNoteLine() {
    auto* line = new QWidget(this);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("Note:"), line);
    layout->addWidget(caption);
    lblNote_ = NamedLabel("lblNote", line);
    lblNote_->setFont(TabFont());
    layout->addWidget(lblNote_, 1);
    ShowHint(*caption, PointedControl::lblNote);
    ShowHint(*lblNote_, PointedControl::lblNote);
    return line;
}

QWidget* MainWindow::BuildSettingsBars() {
    auto* bars = new QWidget(this);
    auto* grid = new QGridLayout(bars);
    grid->setContentsMargins(0, 0, 0, 0);
    hscTempo_ = HorizontalBar("hscTempo", bars);
    hscVolume_ = HorizontalBar("hscVolume", bars);
    hscPatch_ = HorizontalBar("HScrollPatch", bars);
    lblTempo_ = NamedLabel("lblTempo", bars);
    lblBeatsPerMinute_ = NamedLabel("lblBeatsPerMinute", bars);
    lblBeatsPerMinute_->setMinimumWidth(
        lblBeatsPerMinute_->fontMetrics().horizontalAdvance(QStringLiteral("20000 bpm  200 %")));
    ShowHint(*lblBeatsPerMinute_, PointedControl::hscTempo);
    lblVolume_ = NamedLabel("lblVolume", bars);
    lblPatchNum_ = NamedLabel("lblPatchNum", bars);
    lblPatch_ = NamedLabel("lblPatch", bars);
    const struct {
        const char* caption;
        QScrollBar* bar;
        QLabel* value;
        PointedControl control;
    } rows[] = {{"Tempo", hscTempo_, lblTempo_, PointedControl::hscTempo},
                {"Volume", hscVolume_, lblVolume_, PointedControl::hscVolume},
                {"Patch", hscPatch_, lblPatchNum_, PointedControl::HScrollPatch}};
    int column = 0;
    for (const auto& row : rows) {
        auto* caption = new QLabel(QString::fromLatin1(row.caption), bars);
        for (QWidget* part : {static_cast<QWidget*>(caption), static_cast<QWidget*>(row.bar),
                              static_cast<QWidget*>(row.value)}) {
            ShowHint(*part, row.control);
        }
        grid->addWidget(caption, 0, column);
        grid->addWidget(row.bar, 0, column + 1);
        grid->setColumnStretch(column + 1, 1);
        row.value->setMinimumWidth(
            row.value->fontMetrics().horizontalAdvance(QStringLiteral(" 000")));
        grid->addWidget(row.value, 0, column + 2);
        column += 3;
        // The tempo as musicians read it stands beside the bar's own number.
        if (row.value == lblTempo_) grid->addWidget(lblBeatsPerMinute_, 0, column++);
    }
    ShowHint(*lblPatch_, PointedControl::HScrollPatch);
    // Room for the longer instrument names, so that the bars do not jump as the patch changes.
    lblPatch_->setMinimumWidth(lblPatch_->fontMetrics().horizontalAdvance(QString(22, 'M')));
    grid->addWidget(lblPatch_, 0, column);
    // Tempo is a delay: its longest, 200, stands at the left, so that right plays faster.
    tempoBinding_ =
        std::make_unique<ScrollBarBinding>(*hscTempo_, model_.Controls().hscTempo, true);
    volumeBinding_ = std::make_unique<ScrollBarBinding>(*hscVolume_, model_.Controls().hscVolume);
    patchBinding_ = std::make_unique<ScrollBarBinding>(*hscPatch_, model_.Controls().HScrollPatch);
    return bars;
}

void MainWindow::Run(const std::function<void()>& handler) {
    handler();
    SyncFromModel();
}

void MainWindow::ConnectMenuCommands() {
    for (const MenuCommand& entry : kMenuCommands) {
        const auto command = entry.run;
        connect(findChild<QAction*>(QString::fromLatin1(entry.control)), &QAction::triggered, this,
                [this, command] { Run([&] { model_.Run(command); }); });
    }
}

template <size_t N>
void MainWindow::ConnectMenuArray(const std::array<QAction*, N>& actions) {
    const MenuList list = *ArrayCommandOf(actions[0]->objectName().toStdString());
    for (size_t i = 0; i < N; ++i) {
        const int index = static_cast<int>(i);
        connect(actions[i], &QAction::triggered, this,
                [this, list, index] { Run([&] { model_.Run(list, index); }); });
    }
}

void MainWindow::ConnectScrollBar(ScrollBarBinding& binding) {
    connect(&binding.Bar(), &QScrollBar::valueChanged, this, [this, &binding](int value) {
        Run([&] { binding.Model().SetValue(binding.ModelValue(value)); });
    });
}

void MainWindow::ConnectControls() {
    ConnectMenuCommands();
    // Exit is closing the window: the close event asks the model whether to go.
    connect(menu_.fileExit, &QAction::triggered, this, &QWidget::close);
    ConnectMenuArray(menu_.chordRoots);
    ConnectMenuArray(menu_.scales);
    ConnectMenuArray(menu_.lessonsBeginner);
    ConnectMenuArray(menu_.lessonsIntermediate);
    ConnectMenuArray(menu_.lessonsStars);
    ConnectMenuArray(menu_.playSpeedPresets);
    ConnectMenuArray(menu_.settingsCountIn);
    ConnectFretboard();
    new IntervalTimer(
        model_.Playback().PlayTimer(), [this] { Run([&] { model_.Playback().PlayTick(); }); },
        this);
    new IntervalTimer(
        model_.Playback().TuneTimer(), [this] { Run([&] { model_.Playback().TuneTick(); }); },
        this);
    new IntervalTimer(
        model_.Playback().ClickTimer(), [this] { Run([&] { model_.Playback().ClickTick(); }); },
        this);
    new IntervalTimer(
        model_.Playback().HearingTimer(), [this] { Run([&] { model_.Playback().HearingTick(); }); },
        this);

    connect(txtTab_, &QLineEdit::textEdited, this, [this](const QString& text) {
        Run([&] { model_.Controls().txtTAB.SetText(EncodeDocumentText(text, txtTabUtf8_)); });
    });
    // Nothing to show changes; and the box also loses the focus while the window is torn down.
    connect(txtTab_, &QLineEdit::editingFinished, this, [this] { model_.EndLabelEdit(); });
    ConnectScrollBar(*tabBinding_);
    connect(hscTab_, &QScrollBar::sliderMoved, this,
            [this](int value) { Run([&] { model_.PreviewTabPosition(value); }); });
    ConnectScrollBar(*tempoBinding_);
    ConnectScrollBar(*volumeBinding_);
    ConnectScrollBar(*patchBinding_);

    tabLines_->onMouseDown = [this](int, int, int, double x, double) {
        Run([&] { model_.PressOnTabLines(x); });
    };
    tabLines_->onMouseMove = [this](int, int button, int, double x, double) {
        Run([&] { model_.DragOnTabLines(button, x); });
    };
    tabLines_->onMouseUp = [this](int, int, int, double x, double) {
        Run([&] { model_.ReleaseOnTabLines(x); });
    };
    tabLines_->onKeyDown = [this](int keyCode, int shift) {
        Run([&] { model_.PressKeyOnTabLines(keyCode, shift); });
    };

    keyPreview_ = new KeyPreviewFilter(
        this, [this] { return model_.Controls().keyPreview; },
        [this](int keyAscii, int) {
            if (KeyIsForTheFocusedControl(keyAscii)) return;
            Run([&] { model_.TypeCharacter(keyAscii); });
        },
        this);
    qApp->installEventFilter(keyPreview_);
}

// A picture button with the focus takes Space and Enter for itself, and the fretboard's keys
// are not for it; in a text box Space types a blank rather than starting or stopping playback.
bool MainWindow::KeyIsForTheFocusedControl(int keyAscii) const {
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<PictureButton*>(focus) != nullptr) return true;
    return keyAscii == ' ' && (qobject_cast<QLineEdit*>(focus) != nullptr ||
                               qobject_cast<QTextEdit*>(focus) != nullptr ||
                               qobject_cast<QPlainTextEdit*>(focus) != nullptr);
}

void MainWindow::ConnectFretboard() {
    fretboard_->onPress = [this](int row, int index, int button) {
        Run([&] { model_.Board().Press(row, index, button); });
    };
    fretboard_->onPressName = [this](int row, bool rightSide) {
        Run([&] { model_.Board().PlayOpenString(row, rightSide); });
    };
    fretboard_->onDoubleClick = [this](int row, int index) {
        Run([&] { model_.Board().DoubleClickFinger(row, index); });
    };
    const auto hint = [this](PointedControl control) {
        return [this, control] { Run([&] { model_.HintControl(control); }); };
    };
    fretboard_->onMoveOverPosition = hint(PointedControl::Fretboard);
    fretboard_->onMoveOverLeftNames = hint(PointedControl::StringNames);
    fretboard_->onMoveOverRightNames = hint(PointedControl::StringNames);
}

void MainWindow::SyncFromModel() {
    const QString title = DecodeDocumentText(model_.Controls().caption).text;
    if (windowTitle() != title) setWindowTitle(title);

    tabBinding_->Show();
    const DecodedText label = DecodeDocumentText(model_.Controls().txtTAB.Text());
    txtTabUtf8_ = label.utf8;
    if (txtTab_->text() != label.text) {
        const QSignalBlocker blocker(txtTab_);
        const int cursor = txtTab_->cursorPosition();
        // A label the program shows gets the caret at its end; one being typed keeps it.
        txtTab_->setText(label.text);
        if (txtTab_->hasFocus()) {
            txtTab_->setCursorPosition(std::min<int>(cursor, label.text.size()));
        }
    }
    std::array<QString, TabLinesView::kLineCount> lines;
    for (int l = 1; l <= TabLinesView::kLineCount; ++l) {
        lines[l - 1] = DecodeDocumentText(model_.Controls().lblTAB[l].caption).text;
    }
    tabLines_->SetLines(lines);
    tabLines_->SetModelCharWidth(model_.Columns().CharWidth());
    tabLines_->SetCursorLines(model_.Columns().CursorStart().x, model_.Columns().CursorEnd().x);
    tabLines_->SetCursorLinesShown(model_.Controls().hscTAB.Value() != 0);
    const PlayAlong& playAlong = model_.Playback().PlayingAlong();
    tabLines_->ShowVerdicts(playAlong.MarksOf(model_.Controls().hscTAB.Value()));
    ShowLabel(*lblHelp_, model_.Controls().lblHelp);

    tempoBinding_->Show();
    volumeBinding_->Show();
    patchBinding_->Show();
    ShowLabel(*lblTempo_, model_.Controls().lblTempo);
    ShowLabel(*lblBeatsPerMinute_, model_.Controls().lblBeatsPerMinute);
    ShowLabel(*lblVolume_, model_.Controls().lblVolume);
    ShowLabel(*lblPatchNum_, model_.Controls().lblPatchNum);
    ShowLabel(*lblPatch_, model_.Controls().lblPatch);

    playerButtons_->Show();
    fretboardButtons_->Show();
    fretboard_->Show(model_.Board().Marks(), model_.Board().Turned(), model_.Board().StringNames());
    fretboard_->ShowPlayAlong(playAlong.ExpectedNotes(), playAlong.WrongNotes(),
                              playAlong.ColumnRight());
    ShowText(*lblNote_, model_.Midi().lblNote);
    menu_.editUndo->setEnabled(model_.Controls().mnuEditUndo.enabled);
    menu_.editRedo->setEnabled(model_.Controls().mnuEditRedo.enabled);
    if (menu_.settingsSound->isChecked() != model_.Midi().soundOn) {
        menu_.settingsSound->setChecked(model_.Midi().soundOn);
    }
    ShowPracticeMenus();
}

void MainWindow::ShowPracticeMenus() {
    const PracticeSettings& practice = model_.Playback().Practice();
    bool preset = false;
    for (std::size_t i = 0; i < kSpeedMenuPercents.size(); ++i) {
        const bool chosen = practice.speedPercent == kSpeedMenuPercents[i];
        menu_.playSpeedPresets[i]->setChecked(chosen);
        preset = preset || chosen;
    }
    menu_.playSpeedOther->setChecked(!preset);
    menu_.playSpeedOther->setText(
        preset ? QStringLiteral("&Other…")
               : QStringLiteral("&Other (%1 %)…").arg(practice.speedPercent));
    menu_.playMetronome->setChecked(practice.metronome);
    menu_.playTrainer->setChecked(practice.trainer.has_value());
    for (std::size_t bars = 0; bars < menu_.settingsCountIn.size(); ++bars) {
        menu_.settingsCountIn[bars]->setChecked(practice.countInBars == static_cast<int>(bars));
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (endingProgram_) {
        event->accept();
        return;
    }
    const bool leaving = model_.Exit();
    SyncFromModel();
    if (leaving) {
        event->accept();
    } else {
        event->ignore();
    }
}

// Not every window manager keeps a window from being made smaller than its minimum, and none does
// without one: the window then grows back, so the TAB, its scroll bar and the help line stay whole.
void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (width() >= minimumWidth() && height() >= minimumHeight()) return;
    QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(*event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DroppedFile(*event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    Run([&] { model_.OpenNamedFile(QFile::encodeName(*path).toStdString()); });
}

void MainWindow::TakeHandedOverFile(const std::string& path) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (!path.empty()) Run([&] { model_.OpenNamedFile(path); });
}

void MainWindow::EndProgram() {
    endingProgram_ = true;
    QTimer::singleShot(0, this, [this] {
        close();
        QCoreApplication::exit(0);
    });
}

}  // namespace fretlux
