// "Tools" > "Statistics": a puzzle's numbers, the chart of its last solves' times and the table of its
// solves (game/statistics_page.h), the shown puzzle's first. A solve chosen in the table, or the best, can
// be watched or its link copied; the log exported as CSV; everything cleared once the player agrees.
#pragma once

#include <QDialog>
#include <QWidget>

#include "game/logged_solve.h"
#include "game/statistics_page.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tessel {

class MainWindow;
class RecordsKeeper;

// The chart of the times (StatsChart), in a look's chart colours.
class StatsChartView : public QWidget {
    Q_OBJECT

  public:
    explicit StatsChartView(QWidget* parent = nullptr);
    void show(const StatsChart& chart, Look look);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    StatsChart chart_;
    Look look_ = Look::CLASSIC;
};

class StatisticsDialog : public QDialog {
    Q_OBJECT

  public:
    StatisticsDialog(MainWindow& window, RecordsKeeper& records, RecordsKeeper& solves);

    StatsChartView& chart() { return *chart_; }
    QComboBox& puzzleChooser() { return *puzzles_; }
    QTableWidget& solvesTable() { return *solves_; }
    // Writes the log as CSV to the file; what went wrong, or empty.
    QString exportTo(const QString& path) const;

  private:
    void showPuzzle(int index);
    // The solve of that row of the table, of the puzzle shown; none for no row.
    const LoggedSolve* solveAt(int row) const;
    void watch(const LoggedSolve* solve);
    void share(const LoggedSolve* solve);
    void exportLog();
    void clearAll();

    MainWindow& window_;
    RecordsKeeper& records_;
    RecordsKeeper& solvesKeeper_;
    std::vector<const Puzzle*> shownPuzzles_;
    std::optional<std::size_t> best_;
    QComboBox* puzzles_ = nullptr;
    QLabel* empty_ = nullptr;
    QLabel* day_ = nullptr;
    QTableWidget* numbers_ = nullptr;
    QLabel* sentence_ = nullptr;
    StatsChartView* chart_ = nullptr;
    QTableWidget* solves_ = nullptr;
    QPushButton* watchBest_ = nullptr;
};

// Opens the statistics over the window; returns when they are closed.
void ShowStatistics(MainWindow& window, RecordsKeeper& records, RecordsKeeper& solves);

}  // namespace tessel
