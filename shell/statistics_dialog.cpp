#include "shell/statistics_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "game/game_id.h"
#include "game/session.h"
#include "game/solve_link.h"
#include "game/solve_stats.h"
#include "shell/main_window.h"
#include "shell/records_keeper.h"
#include "shell/strings.h"

namespace tessel {

namespace {

QColor Colour(uint32_t argb) {
    return QColor::fromRgba(argb);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

void FillTable(QTableWidget& table, const std::vector<QStringList>& rows) {
    table.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const QStringList& cells = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(row, column, item);
        }
    }
}

QTableWidget* NewTable(const QStringList& heads, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(heads.size()), parent);
    table->setHorizontalHeaderLabels(heads);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // One line a row, every row alike.
    table->setWordWrap(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

}  // namespace

StatsChartView::StatsChartView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize StatsChartView::sizeHint() const {
    return {480, 200};
}

QSize StatsChartView::minimumSizeHint() const {
    return {200, 200};
}

void StatsChartView::show(const StatsChart& chart, Look look) {
    chart_ = chart;
    look_ = look;
    setAccessibleName(Text(chart.caption));
    update();
}

void StatsChartView::paintEvent(QPaintEvent*) {
    const ChartColours& colours = ChartColoursOf(look_);
    QPainter painter(this);
    painter.fillRect(rect(), Colour(colours.ground));
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = painter.fontMetrics();
    int side = 0;
    for (const auto& [value, words] : chart_.ticks)
        side = std::max(side, metrics.horizontalAdvance(Text(words)));
    const int keyHeight = metrics.height() + 6;
    const QRectF plot(side + 8, metrics.height() / 2 + 2, width() - side - 14,
                      height() - keyHeight - metrics.height() / 2 - 6);
    const double span = std::max<double>(chart_.high - chart_.low, 1);
    const auto yOf = [&](double ms) { return plot.bottom() - (ms - chart_.low) / span * plot.height(); };
    const std::size_t count = chart_.times.size();
    const auto xOf = [&](std::size_t i) {
        return count < 2 ? plot.center().x()
                         : plot.left() + plot.width() * static_cast<double>(i) / (count - 1);
    };
    // The times along the side and their lines across.
    for (const auto& [value, words] : chart_.ticks) {
        const double y = yOf(value);
        painter.setPen(QPen(Colour(colours.grid), 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Colour(colours.text));
        painter.drawText(QRectF(0, y - metrics.height() / 2.0, side + 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, Text(words));
    }
    painter.setPen(QPen(Colour(colours.text), 1));
    painter.drawRect(plot);
    // Each solve a dot, then the averages over them.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(colours.single));
    for (std::size_t i = 0; i < count; ++i)
        painter.drawEllipse(QPointF(xOf(i), yOf(chart_.times[i])), 2.5, 2.5);
    painter.setBrush(Qt::NoBrush);
    const auto drawLine = [&](const std::vector<std::optional<double>>& values, uint32_t colour,
                              Qt::PenStyle style) {
        QPainterPath path;
        bool started = false;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!values[i]) continue;
            const QPointF point(xOf(i), yOf(*values[i]));
            if (started)
                path.lineTo(point);
            else
                path.moveTo(point);
            started = true;
        }
        painter.setPen(QPen(Colour(colour), 2.5, style, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    };
    drawLine(chart_.ao5, colours.ao5, Qt::SolidLine);
    drawLine(chart_.ao12, colours.ao12, Qt::DashLine);
    // The key, under the chart.
    double x = plot.left();
    const double y = height() - keyHeight / 2.0;
    const std::array<uint32_t, 3> keyColours{colours.single, colours.ao5, colours.ao12};
    for (std::size_t i = 0; i < chart_.key.size(); ++i) {
        if (i == 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Colour(keyColours[i]));
            painter.drawEllipse(QPointF(x + 9, y), 3, 3);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.setPen(QPen(Colour(keyColours[i]), 2.5, i == 2 ? Qt::DashLine : Qt::SolidLine));
            painter.drawLine(QPointF(x, y), QPointF(x + 18, y));
        }
        painter.setPen(Colour(colours.text));
        const QString words = Text(chart_.key[i]);
        painter.drawText(QPointF(x + 22, y + metrics.ascent() / 2.0 - 1), words);
        x += 22 + metrics.horizontalAdvance(words) + 12;
    }
}

StatisticsDialog::StatisticsDialog(MainWindow& window, RecordsKeeper& records, RecordsKeeper& solves)
    : QDialog(&window), window_(window), records_(records), solvesKeeper_(solves) {
    setWindowTitle(Words(msg::STATS_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* chooserRow = new QHBoxLayout;
    auto* chooserLabel = new QLabel(Words(msg::STATS_PUZZLE), this);
    puzzles_ = new QComboBox(this);
    chooserLabel->setBuddy(puzzles_);
    chooserRow->addWidget(chooserLabel);
    chooserRow->addWidget(puzzles_, 1);
    layout->addLayout(chooserRow);
    empty_ = new QLabel(this);
    layout->addWidget(empty_);
    numbers_ = NewTable({"", Words(msg::STATS_TIME), Words(msg::STATS_MOVES)}, this);
    layout->addWidget(numbers_);
    sentence_ = new QLabel(this);
    sentence_->setWordWrap(true);
    layout->addWidget(sentence_);
    chart_ = new StatsChartView(this);
    layout->addWidget(chart_);
    day_ = new QLabel(this);
    layout->addWidget(day_);
    solves_ = NewTable(
        {Words(msg::STATS_WHEN), Words(msg::STATS_MOVES), Words(msg::STATS_TIME), Words(msg::STATS_HINTS)},
        this);
    layout->addWidget(solves_, 1);

    // Two rows of three, so that the box fits a phone's width.
    auto* buttons = new QGridLayout;
    const auto button = [&](const Message& words, int at) {
        auto* made = new QPushButton(Words(words), this);
        made->setAutoDefault(false);
        buttons->addWidget(made, at / 3, at % 3);
        return made;
    };
    QPushButton* watchButton = button(msg::STATS_WATCH, 0);
    watchBest_ = button(msg::STATS_WATCH_BEST, 1);
    QPushButton* shareButton = button(msg::STATS_SHARE, 2);
    QPushButton* exportCsv = button(msg::STATS_EXPORT, 3);
    QPushButton* clear = button(msg::STATS_CLEAR, 4);
    QPushButton* close = button(msg::CLOSE, 5);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(watchButton, &QPushButton::clicked, this,
            [this] { this->watch(solveAt(solves_->currentRow())); });
    connect(watchBest_, &QPushButton::clicked, this,
            [this] { this->watch(best_ ? solveAt(static_cast<int>(*best_)) : nullptr); });
    connect(shareButton, &QPushButton::clicked, this,
            [this] { this->share(solveAt(solves_->currentRow())); });
    connect(exportCsv, &QPushButton::clicked, this, &StatisticsDialog::exportLog);
    connect(clear, &QPushButton::clicked, this, &StatisticsDialog::clearAll);
    connect(solves_, &QTableWidget::cellActivated, this, [this](int row, int) { this->watch(solveAt(row)); });

    shownPuzzles_ = StatisticsPuzzles(window_.view().session());
    for (const Puzzle* puzzle : shownPuzzles_) puzzles_->addItem(Text(PuzzleName(*puzzle)));
    connect(puzzles_, &QComboBox::currentIndexChanged, this, &StatisticsDialog::showPuzzle);
    showPuzzle(0);
}

void StatisticsDialog::showPuzzle(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= shownPuzzles_.size()) return;
    const Session& session = window_.view().session();
    const StatisticsPage page =
        StatisticsOf(session, *shownPuzzles_[static_cast<std::size_t>(index)], session.utcNow);
    empty_->setText(Text(page.empty));
    empty_->setVisible(!page.empty.empty());
    std::vector<QStringList> rows;
    for (const StatsRow& row : page.rows) rows.push_back({Text(row.name), Text(row.time), Text(row.moves)});
    FillTable(*numbers_, rows);
    numbers_->setFixedHeight(numbers_->horizontalHeader()->height() + numbers_->verticalHeader()->length() +
                             2 * numbers_->frameWidth());
    sentence_->setText(Text(page.sentence));
    chart_->show(page.chart, window_.game().look);
    chart_->setAccessibleDescription(Text(page.sentence));
    QStringList day;
    for (const std::string& line : page.day) day << Text(line);
    day_->setText(day.join(QStringLiteral(" \u00b7 ")));
    day_->setVisible(!day.isEmpty());
    rows.clear();
    rows.reserve(page.solves.size());
    for (const SolveRow& row : page.solves)
        rows.push_back({Text(row.when), Text(row.moves), Text(row.time), Text(row.hints)});
    solves_->setUpdatesEnabled(false);
    FillTable(*solves_, rows);
    solves_->setUpdatesEnabled(true);
    solves_->setAccessibleName(Text(page.tableName));
    best_ = page.best;
    watchBest_->setEnabled(best_.has_value());
}

const LoggedSolve* StatisticsDialog::solveAt(int row) const {
    const int index = puzzles_->currentIndex();
    if (row < 0 || index < 0) return nullptr;
    const SolveLog& log = window_.view().session().solveLog;
    const auto found = log.find(GameIdName(*shownPuzzles_[static_cast<std::size_t>(index)]));
    if (found == log.end() || static_cast<std::size_t>(row) >= found->second.size()) return nullptr;
    return &found->second[static_cast<std::size_t>(row)];
}

void StatisticsDialog::watch(const LoggedSolve* solve) {
    if (solve == nullptr || solve->taps.size() != solve->moves) return;
    const LoggedSolve watched = *solve;
    accept();
    window_.view().startWatching(watched);
}

void StatisticsDialog::share(const LoggedSolve* solve) {
    const std::string link = solve ? WriteSolveLink(*solve) : std::string();
    if (link.empty()) {
        QMessageBox::information(this, Words(msg::SOLVE_TITLE),
                                 Words(solve ? msg::SOLVE_HAS_NO_LINK : msg::NO_SOLVE_TO_SHARE));
        return;
    }
    QGuiApplication::clipboard()->setText(Text(link));
    QMessageBox::information(this, Words(msg::SOLVE_TITLE), Words(msg::SOLVE_COPIED, link));
}

QString StatisticsDialog::exportTo(const QString& path) const {
    QFile file(path);
    const std::string csv = SolveLogCsv(window_.view().session().solveLog);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
        !file.flush())
        return Words(msg::STATS_NOT_EXPORTED, path.toStdString(), file.errorString().toStdString());
    return {};
}

void StatisticsDialog::exportLog() {
    const QString path = QFileDialog::getSaveFileName(
        this, Words(msg::STATS_EXPORT), QStringLiteral("tessel-solves.csv"), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) return;
    if (const QString error = exportTo(path); !error.isEmpty())
        QMessageBox::warning(this, Words(msg::STATS_TITLE), error);
}

void StatisticsDialog::clearAll() {
    if (QMessageBox::question(this, Words(msg::STATS_TITLE), Words(msg::STATS_CLEAR_QUESTION)) !=
        QMessageBox::Yes)
        return;
    records_.clear();
    solvesKeeper_.clear();
    showPuzzle(puzzles_->currentIndex());
}

void ShowStatistics(MainWindow& window, RecordsKeeper& records, RecordsKeeper& solves) {
    StatisticsDialog dialog(window, records, solves);
    dialog.resize(std::max(window.width(), 360), std::max(window.height(), 560));
    dialog.exec();
    window.activateWindow();
}

}  // namespace tessel
