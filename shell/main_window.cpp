#include "shell/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/about_dialog.h"
#include "shell/counts_line.h"
#include "shell/game_tools.h"
#include "shell/game_view.h"
#include "shell/icon.h"
#include "shell/labels.h"
#include "shell/strings.h"
#include "shell/watch_tools.h"

namespace tessel {

MainWindow::MainWindow() {
    setObjectName(QString::fromLatin1(CLASS_NAME));
    const std::array<std::pair<QAction*, const Message*>, 11> items{{
        {&undo_, &msg::MENU_UNDO},
        {&redo_, &msg::MENU_REDO},
        {&hint_, &msg::MENU_HINT},
        {&about_, &msg::MENU_ABOUT},
        {&gameId_, &msg::MENU_GAME_ID},
        {&playGameId_, &msg::MENU_PLAY_GAME_ID},
        {&statistics_, &msg::MENU_STATISTICS},
        {&shareSolve_, &msg::MENU_SHARE_SOLVE},
        {&watchSolve_, &msg::MENU_WATCH_SOLVE},
        {&shareResult_, &msg::MENU_SHARE_RESULT},
        {&close_, &msg::CLOSE},
    }};
    for (const auto& [action, message] : items) Label(*action, *message);
    // Decoding the icon's pictures takes longer than anything else the window needs, and nothing shows it
    // before the window is up: it is set once the event loop runs, after the window is mapped.
    QTimer::singleShot(0, this, [this] { setWindowIcon(TesselIcon()); });

    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    QMenu* tools = menuBar_->addMenu(QString());
    Label(*tools->menuAction(), msg::TOOLS_MENU);
    tools->addAction(&undo_);
    tools->addAction(&redo_);
    tools->addAction(&hint_);
    tools->addSeparator();
    tools->addAction(&gameId_);
    tools->addAction(&playGameId_);
    tools->addAction(&statistics_);
    tools->addSeparator();
    tools->addAction(&shareSolve_);
    tools->addAction(&watchSolve_);
    QMenu* watching = tools->addMenu(QString());
    Label(*watching->menuAction(), msg::MENU_WATCHING);
    const std::array<const Message*, 6> watchingWords{&msg::WATCH_PAUSE,      &msg::WATCH_STEP,
                                                      &msg::WATCH_OWN_PACE,   &msg::WATCH_TWICE,
                                                      &msg::WATCH_FOUR_TIMES, &msg::WATCH_STOP};
    const std::array<QKeySequence, 6> watchingKeys{Qt::Key_Space, Qt::Key_Right, Qt::Key_1,
                                                   Qt::Key_2,     Qt::Key_4,     Qt::Key_Escape};
    for (std::size_t i = 0; i < watching_.size(); ++i) {
        Label(watching_[i], *watchingWords[i]);
        // Shown beside the item; the view takes the keys itself while it has the focus.
        watching_[i].setShortcut(watchingKeys[i]);
        watching_[i].setShortcutContext(Qt::WidgetShortcut);
        watching->addAction(&watching_[i]);
    }
    QMenu* today = tools->addMenu(QString());
    Label(*today->menuAction(), msg::MENU_TODAYS_BOARD);
    for (const Puzzle* puzzle : Puzzles()) {
        QAction* item =
            today->addAction(QString(), this, [this, puzzle] { PlayTodaysBoard(*this, *puzzle); });
        Label(*item, [puzzle] { return QString::fromStdString(PuzzleName(*puzzle)); });
    }
    tools->addAction(&shareResult_);
    tools->addSeparator();
    QMenu* look = tools->addMenu(QString());
    Label(*look->menuAction(), msg::MENU_LOOK);
    auto* lookGroup = new QActionGroup(this);
    for (std::size_t i = 0; i < looks_.size(); ++i) {
        const LookChoice choice = i == 0 ? LookChoice() : LOOKS[i - 1];
        QAction& item = looks_[i];
        Label(item, LookTitle(choice));
        item.setCheckable(true);
        lookGroup->addAction(&item);
        look->addAction(&item);
        connect(&item, &QAction::triggered, this, [this, choice] {
            chooseLook(choice);
            emit lookChosen(choice);
        });
    }
    tools->addAction(&about_);

    // The accelerators belong to the window itself, so they work wherever the focus is in it.
    undo_.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_.setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    about_.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    close_.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    hint_.setShortcut(QKeySequence(Qt::Key_H));
    for (QAction* action : {&undo_, &redo_, &hint_, &about_, &close_}) addAction(action);
    connect(&about_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(&gameId_, &QAction::triggered, this, [this] { ShowGameId(*this); });
    connect(&playGameId_, &QAction::triggered, this, [this] { AskForGameId(*this); });
    connect(&shareSolve_, &QAction::triggered, this, [this] { ShareSolve(*this); });
    connect(&watchSolve_, &QAction::triggered, this, [this] { AskForSolveLink(*this); });
    connect(&shareResult_, &QAction::triggered, this, [this] { ShareResult(*this); });
    connect(&close_, &QAction::triggered, this, &QWidget::close);

    view_ = new GameView(this);
    // The game takes the keys from the start; the menu bar's items are reached with the mouse or Ctrl keys.
    setFocusProxy(view_);
    connect(&undo_, &QAction::triggered, view_, &GameView::undo);
    connect(&redo_, &QAction::triggered, view_, &GameView::redo);
    connect(&hint_, &QAction::triggered, view_, &GameView::hint);
    connect(view_, &GameView::played, this, &MainWindow::updateHistoryActions);
    connect(view_, &GameView::watchingChanged, this, &MainWindow::updateHistoryActions);
    connect(&watching_[0], &QAction::triggered, view_,
            [this] { view_->pauseWatching(!view_->watch()->paused); });
    connect(&watching_[1], &QAction::triggered, view_, &GameView::stepWatching);
    for (const int speed : {1, 2, 4}) {
        connect(&watching_[speed == 4 ? 4 : speed + 1], &QAction::triggered, view_,
                [this, speed] { view_->setWatchSpeed(speed); });
    }
    connect(&watching_[5], &QAction::triggered, view_, &GameView::stopWatching);
    updateHistoryActions();
    chooseLook(std::nullopt);
    // What is not an item follows the language too: the title, the counts line, the landscape message and
    // the Pause item's other word.
    setWindowTitle(Words(msg::APP_NAME));
    connect(&LanguageChanges::Get(), &LanguageChanges::changed, this, [this] {
        setWindowTitle(Words(msg::APP_NAME));
        updateHistoryActions();
        view_->update();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    auto* counts = new CountsLine(*view_, this);
    connect(&LanguageChanges::Get(), &LanguageChanges::changed, counts, &CountsLine::refresh);
    counts_ = counts;
    layout->addWidget(counts_);
    layout->addWidget(menuBar_);

    // The game area starts at its natural size: the back buffer and a white pixel beside and below it.
    resize(GameView::AREA_WIDTH, GameView::AREA_HEIGHT + chromeHeight());
}

int MainWindow::chromeHeight() const {
    return counts_->height() + menuBar_->sizeHint().height();
}

void MainWindow::updateHistoryActions() {
    const bool watching = view_->watching();
    undo_.setEnabled(!watching && UndoCount(view_->history()) > 0);
    redo_.setEnabled(!watching && RedoCount(view_->history()) > 0);
    hint_.setEnabled(!watching);
    for (QAction& item : watching_) item.setEnabled(watching);
    if (watching) watching_[0].setText(Words(view_->watch()->paused ? msg::WATCH_PLAY_ON : msg::WATCH_PAUSE));
}

// The view, a child, is deleted after this class's part of the window has gone: what it still signals then
// (a drag let go as it loses the focus) must not reach this window's slots.
MainWindow::~MainWindow() {
    disconnect(view_, nullptr, this, nullptr);
}

void MainWindow::chooseLook(LookChoice choice) {
    lookChoice_ = choice;
    lookAction(choice).setChecked(true);
    view_->setLook(ShownLook(choice, DesktopWishes(palette())));
}

QAction& MainWindow::lookAction(LookChoice choice) {
    return looks_[choice ? static_cast<std::size_t>(*choice) + 1 : 0];
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange && !lookChoice_)
        view_->setLook(SystemLook(DesktopWishes(palette())));
    if (event->type() == QEvent::WindowStateChange) view_->updateClockHold();
    QWidget::changeEvent(event);
}

void MainWindow::showAbout() {
    AboutDialog dialog(this);
    // The dialog covers the whole game window, as a full-screen page would.
    dialog.setGeometry(geometry());
    dialog.exec();
    // The keyboard comes back to the game, also where no window manager hands it back.
    activateWindow();
}

void MainWindow::bringToFront(const QByteArray& activationToken) {
    // The Wayland platform activates with the token found in the environment.
    if (!activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace tessel
