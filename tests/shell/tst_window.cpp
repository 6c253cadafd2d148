// The game's window at scale factors 1, 1.5 and 2, then the whole program from its start to Ctrl+Q.
#include <QAccessible>
#include <QBackingStore>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "game/catalogue.h"
#include "game/kept_game.h"
#include "game/solve_link.h"
#include "game/solve_log.h"
#include "game/solve_stats.h"
#include "shell/about_dialog.h"
#include "shell/language_choice.h"
#include "shell/look_choice.h"
#include "shell/main_window.h"
#include "shell/records_keeper.h"
#include "shell/start_up.h"
#include "shell/statistics_dialog.h"
#include "shell/tick_source.h"
#include "shell/window_place.h"

using namespace tessel;

namespace {

constexpr QPoint NORMAL_LABEL{100, 75};
constexpr QPoint QUIT_BUTTON{120, 242};  // below the "Lights out" label, which overlaps Quit
const QSize PORTRAIT{GameView::AREA_WIDTH, GameView::AREA_HEIGHT};

// What the window's surface holds, in device pixels: what the last paint put on the screen.
// A widget inside a window: its part of it.
QImage OnScreen(QWidget& widget) {
    const QImage whole = static_cast<const QImage*>(widget.backingStore()->paintDevice())
                             ->convertToFormat(QImage::Format_RGB32);
    if (widget.isWindow()) return whole;
    const qreal dpr = widget.devicePixelRatio();
    return whole.copy(QRect(widget.mapTo(widget.window(), QPoint(0, 0)) * dpr, widget.size() * dpr));
}

// Whether the screen shows `buffer` (the back buffer unless given) at the largest whole scale k that fits,
// with `ground` right of it and below.
bool ShowsBackBuffer(GameView& view, const BackBuffer* buffer = nullptr, QRgb ground = WHITE) {
    const QImage screen = OnScreen(view);
    const BackBuffer& shown = buffer ? *buffer : view.game().backBuffer;
    const int k = std::min(screen.width() / SURFACE_WIDTH, screen.height() / SURFACE_HEIGHT);
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixel(x, y) !=
                (x < SURFACE_WIDTH * k && y < SURFACE_HEIGHT * k ? shown.At(x / k, y / k) : ground))
                return false;
    return view.scale() == k;
}

// A left-button event at the centre of device pixel `within` of game pixel `game`.
std::unique_ptr<QMouseEvent> Mouse(GameView& view, QEvent::Type type, QPoint game, QPoint within = {}) {
    const QPointF local =
        (QPointF(game * view.scale() + within) + QPointF(0.5, 0.5)) / view.devicePixelRatio();
    return std::make_unique<QMouseEvent>(
        type, local, view.mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
}
// Queues a left-button press, as a real tap.
void PostTap(GameView& view, QPoint game, QPoint within = {}) {
    QCoreApplication::postEvent(&view, Mouse(view, QEvent::MouseButtonPress, game, within).release());
}
void Tap(GameView& view, QPoint game, QPoint within = {}) {
    PostTap(view, game, within);
    QCoreApplication::processEvents();
}

// Shows the view or window at `size`; unless told not to, waits until the splash has played.
bool Show(auto& view, QSize size, bool pastSplash = true) {
    view.resize(size);
    view.show();
    return QTest::qWaitForWindowExposed(&view) &&
           (!pastSplash || QTest::qWaitFor([&] { return view.game().splashPending == 0; }));
}

// The splash image (id 212 to 215) shown alone on white at (107, 115), or 0 when the screen shows another.
int SplashFrameOnScreen(GameView& view) {
    for (int32_t id = 212; id <= 215; ++id) {
        BackBuffer alone;
        alone.pixels.fill(WHITE);
        const Image& image = view.game().images[static_cast<ImageId>(id)];
        for (int32_t i = 0; i < image.width * image.height; ++i)
            alone.pixels[(115 + i / image.width) * SURFACE_WIDTH + 107 + i % image.width] = image.pixels[i];
        if (ShowsBackBuffer(view, &alone)) return id;
    }
    return 0;
}

// The tiles of row 2, and those tiles turned `cells` cells to the right.
std::array<int32_t, 4> Row2(GameView& view) {
    std::array<int32_t, 4> tiles{};
    for (int32_t col = 1; col <= 4; ++col) tiles[col - 1] = view.game().tileGrid.Tile(col, 2);
    return tiles;
}
std::array<int32_t, 4> TurnedRight(std::array<int32_t, 4> tiles, int32_t cells) {
    std::rotate(tiles.begin(), tiles.begin() + (4 - (cells % 4 + 4) % 4) % 4, tiles.end());
    return tiles;
}

}  // namespace

class TestWindow : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        SetTickSource([now = uint32_t{0}]() mutable { return now += 1000; });
    }
    void cleanup() { SetTickSource({}); }

    // A solve watched four times as fast from its link over a game in play: taps reach neither game, the
    // window shows the watched board to its solved end, and Escape brings the game in play back, its picture
    // and kept form as they were. (What a watch plays: tests/watch_test.cpp.)
    void aSolveIsWatchedOverTheGameInPlay() {
        const ReadSolveLink read =
            ParseSolveLink("normal-2026-12-09.1.IgSAIgShgLESSsZESq1LETC9dJ56hmPLSCydHGq7PESShkBETCwP");
        QVERIFY(read.solve.has_value());
        GameView view;
        QVERIFY(Show(view, PORTRAIT * 2));
        Tap(view, NORMAL_LABEL);
        const std::vector<uint8_t> kept = KeepGame(view.session());
        view.startWatching(*read.solve);
        QTest::keyClick(&view, Qt::Key_4);
        QCOMPARE(view.watch()->speed, 4);
        Tap(view, {107, 40});  // an arrow on either board
        QVERIFY(QString::fromStdString(view.countsText()).startsWith(QStringLiteral("watching")));
        QTRY_VERIFY_WITH_TIMEOUT(WatchEnded(*view.watch()), 20000);
        const Game& watched = view.shownSession().game;
        QVERIFY(watched.solved == 1 && MoveCount(view.shownSession()) == read.solve->moves);
        QTRY_VERIFY(ShowsBackBuffer(view, &watched.backBuffer));
        QTest::keyClick(&view, Qt::Key_Escape);
        QTRY_VERIFY(ShowsBackBuffer(view));  // the game in play's picture
        QVERIFY(KeepGame(view.session()) == kept);
    }

    // The mouse drags row 2 two and a half cells, the line at rest after (the moves: tests/drag_test.cpp); a
    // drag cut short by the focus going keeps the cell it passed and shows the line at rest. A finger drags
    // a row as the mouse does; a second finger cancels the drag, keeping the cell passed.
    void mouseAndFingerDragARowCellByCell() {
        GameView view;
        QVERIFY(Show(view, PORTRAIT * 2));
        Tap(view, NORMAL_LABEL);
        const auto send = [&](QEvent::Type type, QPoint game) {
            QCoreApplication::sendEvent(&view, Mouse(view, type, game).get());
        };
        const auto scrambled = Row2(view);
        const QPoint tile(100, 120);
        send(QEvent::MouseButtonPress, tile);
        for (int dx = 2; dx <= 60; dx += 2) send(QEvent::MouseMove, tile + QPoint(dx, dx % 3));
        QCOMPARE(Row2(view), TurnedRight(scrambled, 2));
        send(QEvent::MouseButtonRelease, tile + QPoint(60, 0));
        QCOMPARE(Row2(view), TurnedRight(scrambled, 3));
        QTRY_VERIFY(ShowsBackBuffer(view));

        QSignalSpy played(&view, &GameView::played);
        send(QEvent::MouseButtonPress, tile);
        for (int dx = 2; dx <= 36; dx += 2) send(QEvent::MouseMove, tile - QPoint(dx, 0));
        QCOMPARE(played.count(), 2);  // the press and the cell
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(&view, &out);
        QCOMPARE(Row2(view), TurnedRight(scrambled, 2));
        send(QEvent::MouseButtonRelease, tile - QPoint(36, 0));
        QCOMPARE(Row2(view), TurnedRight(scrambled, 2));
        QTRY_VERIFY(ShowsBackBuffer(view));

        const std::unique_ptr<QPointingDevice> touchscreen(QTest::createTouchDevice());
        QPointingDevice* screen = touchscreen.get();
        const auto at = [&](QPoint game) {
            return (game * view.scale() + QPoint(1, 1)) / view.devicePixelRatio();
        };
        const auto before = Row2(view);
        const std::size_t undos = UndoCount(view.history());
        QTest::touchEvent(&view, screen).press(0, at(tile));
        for (int dx = 4; dx <= 40; dx += 4)
            QTest::touchEvent(&view, screen).move(0, at(tile + QPoint(dx, 0)));
        QCOMPARE(Row2(view), TurnedRight(before, 1));
        QTest::touchEvent(&view, screen).stationary(0).press(1, at({100, 240}));
        for (int dx = 4; dx <= 60; dx += 4)
            QTest::touchEvent(&view, screen)
                .move(0, at(tile + QPoint(40 + dx, 0)))
                .move(1, at({100 - dx, 240}));
        QTest::touchEvent(&view, screen).stationary(0).release(1, at({40, 240}));
        QTest::touchEvent(&view, screen).move(0, at(tile + QPoint(110, 0)));
        QTest::touchEvent(&view, screen).release(0, at(tile + QPoint(110, 0)));
        QCOMPARE(Row2(view), TurnedRight(before, 1));
        QCOMPARE(UndoCount(view.history()), undos + 1);
        QTRY_VERIFY(ShowsBackBuffer(view));
    }

    // The first start suits the screen (at most two thirds of its height); then the window opens as the
    // player left it, brought within the screen; a kept value that is not a size counts as none.
    void windowOpensToSuitTheScreenThenWhereItWasLeft() {
        const qreal dpr = qApp->devicePixelRatio();
        const auto logical = [&](int w, int h) { return QRect(0, 0, qRound(w / dpr), qRound(h / dpr)); };
        MainWindow window;
        const int bar = window.chromeHeight();
        for (const auto& [screen, scales] : {std::pair(logical(1920, 1040), std::vector{2}),
                                             std::pair(logical(3840, 2120), std::vector{4, 5}),
                                             std::pair(logical(800, 570), std::vector{1})}) {
            window.resize(FirstWindowSize(screen, dpr, bar));
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY2(std::count(scales.begin(), scales.end(), window.view().scale()) == 1,
                     qPrintable(QString::number(window.view().scale())));
            QVERIFY(window.view().height() <= screen.height() * 2 / 3);
        }

        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("tessel.ini")), QSettings::IniFormat);
        const QRect available = window.screen()->availableGeometry();
        window.resize(available.width() / 2, available.height() - 100);
        window.move(available.topLeft() + QPoint(20, 30));
        KeepWindowPlace(window, settings);
        const QRect left = window.geometry();
        MainWindow again;
        PlaceWindow(again, settings, bar);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.geometry(), left);

        settings.setValue(QStringLiteral("window/size"), available.size() * 3);
        PlaceWindow(again, settings, bar);
        QVERIFY(available.contains(QRect(again.pos(), again.size())));
        settings.setValue(QStringLiteral("window/size"), QStringLiteral("huge"));
        PlaceWindow(again, settings, bar);
        QCOMPARE(again.size(), FirstWindowSize(available, window.screen()->devicePixelRatio(), bar));
    }

    // "Tools" > "Look" switches picture and margins at once and is heard; "As the system" follows the palette
    // and theme live; the choice is kept, an unreadable one read as "As the system". "Tools" > "Language":
    // "As the system" first, checked where the kept value cannot be read; a choice is kept and spoken at
    // once, the menus' own words and Qt's with it.
    void lookAndLanguageFollowTheMenusAndAreKept() {
        MainWindow window;
        QVERIFY(Show(window, PORTRAIT * 2 + QSize(0, window.chromeHeight())));
        GameView& view = window.view();
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&view);
        QAccessibleInterface* words = reader->child(reader->childCount() - 1)->child(0);
        Tap(view, NORMAL_LABEL);
        QVERIFY(window.lookAction(std::nullopt).isChecked() && view.game().look == Look::CLASSIC);
        QVERIFY(ShowsBackBuffer(view));
        const auto classic = view.game().backBuffer.pixels;

        std::vector<LookChoice> chosen;
        connect(&window, &MainWindow::lookChosen, this, [&](LookChoice choice) { chosen.push_back(choice); });
        window.lookAction(Look::DARK).trigger();
        // The picture redrawn (in what colours: tests/looks_test.cpp), the margins too.
        QTRY_VERIFY(ShowsBackBuffer(view, nullptr, ColoursOf(Look::DARK).ground));
        QVERIFY(view.game().backBuffer.pixels != classic);
        QCOMPARE(words->text(QAccessible::Name), QStringLiteral("Dark look"));
        // The moves and time read as plainly as any text there, quiet grey only in the classic look.
        const auto* counts = window.findChild<QLabel*>(QStringLiteral("counts"));
        const auto countsColour = [&] { return counts->palette().color(counts->foregroundRole()); };
        QCOMPARE(countsColour(), window.palette().color(QPalette::WindowText));
        window.lookAction(Look::CLASSIC).trigger();
        QTRY_VERIFY(ShowsBackBuffer(view));
        QCOMPARE(countsColour(), window.palette().color(QPalette::PlaceholderText));

        window.lookAction(std::nullopt).trigger();
        const QPalette light = qApp->palette();
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        QApplication::setPalette(dark);
        QTRY_COMPARE(view.game().look, Look::DARK);
        // A high-contrast desktop theme wins over the dark palette, as on the page.
        qputenv("GTK_THEME", "HighContrastInverse");
        dark.setColor(QPalette::Window, QColor(20, 20, 20));
        QApplication::setPalette(dark);
        QTRY_COMPARE(view.game().look, Look::HIGH_CONTRAST);
        qunsetenv("GTK_THEME");
        QApplication::setPalette(light);
        QTRY_COMPARE(view.game().look, Look::CLASSIC);
        QCOMPARE(chosen, (std::vector<LookChoice>{Look::DARK, Look::CLASSIC, std::nullopt}));

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tessel.ini"));
        QSettings settings(file, QSettings::IniFormat);
        for (const LookChoice choice : {LookChoice(Look::HIGH_CONTRAST), LookChoice()}) {
            KeepLookChoice(settings, choice);
            QSettings again(file, QSettings::IniFormat);
            QCOMPARE(KeptLookChoice(again), choice);
        }
        for (const QVariant& unreadable : {QVariant(QStringLiteral("pink")), QVariant(QStringList{"dark"})}) {
            settings.setValue(QStringLiteral("look/chosen"), unreadable);
            QCOMPARE(KeptLookChoice(settings), LookChoice());
        }

        settings.setValue(QStringLiteral("language/chosen"), QStringLiteral("klingon"));
        AddLanguageMenu(window, settings);
        QMenu* tools = window.menuBar().actions().first()->menu();
        QMenu* languages = nullptr;
        for (QAction* action : tools->actions())
            if (action->menu() && action->text() == QStringLiteral("Language")) languages = action->menu();
        QVERIFY(languages);
        const QList<QAction*> items = languages->actions();
        QCOMPARE(items.size(), 12);
        QVERIFY(items[0]->isChecked());
        // The items' words, the menu's, the window's, the game's and Qt's.
        const auto shown = [&] {
            return QStringList() << items[0]->text() << items[1]->text() << items[2]->text() << tools->title()
                                 << window.undoAction().text() << window.lookAction(LookChoice()).text()
                                 << QString::fromStdString(Say(msg::HOW_TO_PLAY))
                                 << QCoreApplication::translate("QPlatformTheme", "Cancel");
        };
        const QStringList english{"As the system", "English",       "Deutsch",     "Tools",
                                  "Undo",          "As the system", "How to play", "Cancel"};
        QCOMPARE(shown(), english);
        for (const auto& [item, choice, words] :
             {std::tuple{2, LanguageChoice("de"),
                         QStringList{"Wie im System", "English", "Deutsch", "Werkzeuge", "Rückgängig",
                                     "Wie im System", "Spielanleitung", "Abbrechen"}},
              std::tuple{1, LanguageChoice("en"), english}}) {
            items[item]->trigger();
            QCOMPARE(KeptLanguageChoice(settings), choice);
            QCOMPARE(shown(), words);
        }
        items[0]->trigger();
        QCOMPARE(KeptLanguageChoice(settings), LanguageChoice());
    }

    // Tools > Statistics after 30 solves: the chart in each look at a phone's width, on its ground with its
    // averages' lines in the look's chart colours, and the log exported as CSV, a line a solve.
    void statisticsChartAndExport() {
        MainWindow window;
        Session& session = window.view().session();
        for (uint32_t i = 0; i < 30; ++i) {
            const uint32_t ms = 20000 + (i * 7919) % 9000, hints = i % 10 == 9 ? 1 : 0;
            const std::string id = "normal-" + std::to_string(i + 1);
            AddToLog(session.solveLog, {1000000 + i * 60000, "normal", id, 1, ms, hints, {{107, 40, ms}}});
        }
        RecordsKeeper records(session, {}), solves(session, {}, SOLVE_LOG_KIND);
        for (const Look look : LOOKS) {
            window.chooseLook(look);
            StatisticsDialog dialog(window, records, solves);
            dialog.resize(360, 720);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QVERIFY(dialog.chart().width() <= 360);
            const QImage chart = dialog.chart().grab().toImage().convertToFormat(QImage::Format_RGB32);
            // The ground is what most of the chart is; the averages' lines are the pixels of the two colours,
            // other than the ground, the text and the dots, that most pixels have.
            std::map<QRgb, int> counts;
            for (int y = 0; y < chart.height(); ++y)
                for (int x = 0; x < chart.width(); ++x) ++counts[chart.pixel(x, y) | 0xFF000000u];
            QRgb ground = counts.begin()->first;
            for (const auto& [colour, count] : counts) ground = count > counts.at(ground) ? colour : ground;
            const ChartColours& colours = ChartColoursOf(look);
            QCOMPARE(ground, QRgb(colours.ground));
            for (const uint32_t line : {colours.ao5, colours.ao12})
                QVERIFY2(counts[QRgb(line)] > 100, qPrintable(QString::number(line, 16)));
            QVERIFY(!dialog.chart().accessibleName().isEmpty());
            QCOMPARE(dialog.solvesTable().rowCount(), 30);
        }

        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("solves.csv"));
        StatisticsDialog dialog(window, records, solves);
        QVERIFY(dialog.exportTo(csv).isEmpty());
        QFile exported(csv);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QByteArray written = exported.readAll();  // the CSV itself: tests/solve_stats_test.cpp
        QVERIFY(written == SolveLogCsv(session.solveLog).c_str() && written.count('\n') == 31);
        QVERIFY(!dialog.exportTo(dir.filePath(QStringLiteral("no/such/folder.csv"))).isEmpty());
    }

    // A picture is on the screen when PresentNow returns, also at 8000 x 12000; taps at the label's edges.
    void pictureAndTapsAreExact() {
        const QSize huge = (QSizeF(8000, 12000) / qApp->devicePixelRatio()).toSize();
        for (const QSize size : {PORTRAIT, QSize(320, 356), QSize(478, 534), huge}) {
            GameView view;
            QVERIFY(Show(view, size));
            for (uint32_t& pixel : view.game().backBuffer.pixels) pixel = ~pixel | 0xFF000000u;
            PresentNow(view.game());
            QVERIFY(ShowsBackBuffer(view));
            if (size == huge) continue;  // taps there are mapped as at any other whole scale, only slower
            for (const auto& [gamePixel, lastDevicePixel, startsNormal] :
                 {std::tuple{QPoint(86, 65), false, true},     // the label's top-left corner
                  std::tuple{QPoint(152, 89), true, true},     // its bottom-right corner
                  std::tuple{QPoint(153, 89), false, false},   // just right of it
                  std::tuple{QPoint(85, 70), true, false}}) {  // just left of it
                Tap(view, gamePixel, QPoint(1, 1) * (lastDevicePixel ? view.scale() - 1 : 0));
                QCOMPARE(view.game().screen, startsNormal ? SCREEN_NORMAL : SCREEN_MENU);
                Tap(view, QUIT_BUTTON);
            }
        }
    }

    // Wider than high the splash waits; upright it fades the emblem in and out, and of the taps queued
    // meanwhile the first is played after it, the rest drained; sideways again, the message, and no input.
    void splashWaitsForPortraitDrainsTapsAndLandscapeIgnoresInput() {
        GameView view;
        std::vector<int> frames;  // the splash frame on the screen at each reading of the clock, 50 ms apart
        SetTickSource([&, now = uint32_t{0}]() mutable {
            if (view.game().splashPending != 0 && frames.empty()) {
                PostTap(view, NORMAL_LABEL);
                for (int i = 0; i < 20; ++i) PostTap(view, QUIT_BUTTON);
            }
            if (view.game().splashPending != 0) frames.push_back(SplashFrameOnScreen(view));
            return now += 50;
        });
        QVERIFY(Show(view, {400, 300}, false));
        QTest::qWait(20);
        QVERIFY(frames.empty());
        view.resize(PORTRAIT);
        QTRY_VERIFY(view.game().splashPending == 0);
        // White, light grey, grey, black and back out.
        const std::pair<int, int> steps[] = {{215, 300}, {212, 300}, {213, 300}, {214, 600},
                                             {213, 300}, {212, 300}, {215, 300}};
        std::vector<int> expected;
        for (const auto& [frame, ms] : steps) expected.insert(expected.end(), ms / 50 + 1, frame);
        QCOMPARE(frames, expected);
        QVERIFY(view.game().screen == SCREEN_NORMAL && view.game().drainTaps == 0 && ShowsBackBuffer(view));
        QTest::keyClick(&view, Qt::Key_Escape);
        for (int i = 0; i < 2; ++i) QTest::keyClick(&view, Qt::Key_Down);  // the cursor on "Uneven"

        view.resize(400, 300);
        view.repaint();
        QImage white(OnScreen(view).size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QVERIFY(OnScreen(view) != white && OnScreen(view).pixel(0, 0) == WHITE && !ShowsBackBuffer(view));
        QTest::keyClick(&view, Qt::Key_Space);
        Tap(view, NORMAL_LABEL);
        QCOMPARE(view.game().screen, SCREEN_MENU);
        view.resize(PORTRAIT);
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(view.game().screen, SCREEN_UNEVEN);
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(view.game().screen, SCREEN_MENU);
        QVERIFY(!ShowsBackBuffer(view));  // the cursor's outline over the picture
        Tap(view, {0, 0});                // hides the cursor: the picture is the back buffer again
        QTRY_VERIFY(ShowsBackBuffer(view));
    }

    // The real start-up to Ctrl+Q: Undo and Redo, a second start, About.
    void wholeRunEndsWithCtrlQ() {
        if (qApp->devicePixelRatio() != 1) QSKIP("The program around the view is the same at every scale.");
        QTemporaryDir runtimeDir;  // for the game's socket
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
        QTimer giveUp;  // ends the run should the game not end itself
        connect(&giveUp, &QTimer::timeout, qApp, &QCoreApplication::quit);
        giveUp.start(60000);
        // The game must not start before the splash is over and its queued taps drained.
        QTimer ready;
        connect(&ready, &QTimer::timeout, this, [&] {
            auto* window = qobject_cast<MainWindow*>(QApplication::activeWindow());
            if (!window || window->game().splashPending != 0 || window->game().drainTaps != 0) return;
            ready.stop();
            const auto closeAnyway = qScopeGuard([&] { window->close(); });  // should a step fail
            // "Tools": Undo and Redo are greyed until there is a move to take back or to play again.
            const QList<QAction*> tools = window->menuBar().actions().value(0)->menu()->actions();
            const auto greyed = [&] { return std::pair(!tools[0]->isEnabled(), !tools[1]->isEnabled()); };
            const auto tiles = [&] { return window->game().tileGrid.tile; };
            QCOMPARE(greyed(), std::pair(true, true));
            Tap(window->view(), NORMAL_LABEL);
            Tap(window->view(), QPoint(107, 40));  // column 2 up, twice
            const auto once = tiles();
            Tap(window->view(), QPoint(107, 40));
            const auto twice = tiles();
            QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(tiles() == once && greyed() == std::pair(false, false));
            const QSize upright = window->size();
            window->resize(400, 300);  // sideways: Undo and Redo do nothing, as taps do
            for (QAction* action : {tools[0], tools[1]}) {
                action->trigger();
                QVERIFY(tiles() == once);
            }
            window->resize(upright);
            QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY(tiles() == twice && greyed() == std::pair(false, true));
            Tap(window->view(), QUIT_BUTTON);

            // A second start brings the window forward; Return held down closes About, its repeats the box's.
            window->showMinimized();
            QCOMPARE(RunGame(*qApp, "token-7"), 0);
            QTRY_VERIFY(!window->isMinimized() && window->isVisible());
            QCOMPARE(qgetenv("XDG_ACTIVATION_TOKEN"), QByteArray("token-7"));
            bool closed = false;
            QTimer::singleShot(0, window, [&] {
                if (auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget())) {
                    QTest::keyPress(dialog->buttons().button(QDialogButtonBox::Ok), Qt::Key_Return);
                    closed = !dialog->isVisible();
                    if (!closed) dialog->reject();
                }
            });
            QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
            QVERIFY(closed);
            QTRY_VERIFY(window->isActiveWindow());  // the keyboard back after the box
            // F1: How to play, on the menu each puzzle in a line; Escape closes it.
            QString help;
            QTimer::singleShot(0, window, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    help = box->informativeText();
                    QTest::keyClick(box, Qt::Key_Escape);
                }
            });
            QTest::keyClick(window, Qt::Key_F1);
            QVERIFY2(help.count(QLatin1Char('\n')) >= 5 && help.contains(QStringLiteral("Lights out")),
                     qPrintable(help));
            QTRY_VERIFY(window->isActiveWindow());
            for (const int at : {1000, 1040, 1100}) {  // two repeats, then a release, and a press later
                for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
                    QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier);
                    key.setTimestamp(type == QEvent::KeyPress && at == 1100 ? 1200 : at);
                    QCoreApplication::sendEvent(&window->view(), &key);
                }
            }
            QVERIFY(window->game().screen == SCREEN_MENU && window->view().session().cursor.shown);
            QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            QVERIFY2(!window->isVisible(), "Ctrl+Q did not close the window");
        });
        ready.start(0);
        QCOMPARE(RunGame(*qApp, {}), 0);
        QVERIFY2(giveUp.isActive(), "the game did not end");
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
