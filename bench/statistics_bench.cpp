// Tools > Statistics with 1,000 solves logged in each of the six puzzles: the page of one puzzle made
// (game/statistics_page.h, what both front ends show), the desktop's box opened (made, laid out and
// painted on the offscreen platform), and a solve logged as the desktop logs it: merged into the text
// stored (while it is what this copy wrote last; else read whole, merged and written again), then the file
// replaced. Prints the median and the longest of
// several runs, in the main thread's own time.
//   QT_QPA_PLATFORM=offscreen build/bin/tessel_statistics_bench
#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "bench/thread_time.h"
#include "game/session.h"
#include "game/solve_log.h"
#include "game/statistics_page.h"
#include "puzzles/puzzle_table.h"
#include "shell/kept_file.h"
#include "shell/main_window.h"
#include "shell/records_keeper.h"
#include "shell/statistics_dialog.h"

using namespace tessel;

namespace {

// 1,000 solves a puzzle, each of 20 to 49 moves a few hundred milliseconds apart, one in 17 with a hint.
SolveLog BigLog() {
    SolveLog log;
    const int64_t end = 1796796000000;  // 2026-12-09
    for (const Puzzle* puzzle : Puzzles()) {
        const std::string name = GameIdName(*puzzle);
        for (uint32_t i = 0; i < SOLVE_LOG_LIMIT; ++i) {
            LoggedSolve solve{end - int64_t{i} * 600000, name, "", 20 + i * 7 % 30, 0,
                              i % 17 == 0 ? 1u : 0u,     {}};
            for (uint32_t m = 0; m < solve.moves; ++m) {
                const uint32_t ms = m == 0 ? 0 : solve.ms + 200 + (i * 31 + m * 17) % 600;
                solve.taps.push_back({107, 40, ms});
                solve.ms = ms;
            }
            AddToLog(log, std::move(solve));
        }
    }
    return log;
}

void Report(const char* what, int runs, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = ThreadMilliseconds();
        run();
        times.push_back(ThreadMilliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-62s median %7.2f ms, longest %7.2f ms (%d runs)\n", what, times[times.size() / 2],
                times.back(), runs);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MainWindow window;
    Session& session = window.view().session();
    session.solveLog = BigLog();
    window.show();
    QApplication::processEvents();
    const Puzzle& normal = **Puzzles().begin();

    Report("the page of one puzzle (StatisticsOf)", 50, [&] {
        [[maybe_unused]] volatile auto size = StatisticsOf(session, normal, session.utcNow).solves.size();
    });
    RecordsKeeper records(session, {}), solves(session, {}, SOLVE_LOG_KIND);
    Report("the desktop's box opened: made, laid out and painted", 20, [&] {
        StatisticsDialog dialog(window, records, solves);
        dialog.resize(480, 720);
        dialog.show();
        QApplication::processEvents();
        dialog.repaint();
    });

    const std::string stored = WriteSolveLog(session.solveLog);
    std::printf("the log: %zu bytes\n", stored.size());
    KeepSolveLog(session, RecordsStep::Read, stored);
    LoggedSolve one = session.solveLog.begin()->second.front();
    Report("a solve logged: merged into the stored log's text", 20, [&] {
        one.utcMs += 1;
        AddToLog(session.solveLog, one);  // as the solving move does
        session.solvesToLog = {one};
        const std::string now = session.solveLogText;  // what the file holds: this copy's last write
        [[maybe_unused]] volatile auto size = KeepSolveLog(session, RecordsStep::Write, now).write->size();
    });
    Report("a solve logged after another copy wrote: read, merged, written", 10, [&] {
        one.utcMs += 1;
        AddToLog(session.solveLog, one);
        session.solvesToLog = {one};
        [[maybe_unused]] volatile auto size = KeepSolveLog(session, RecordsStep::Write, stored).write->size();
    });
    char folder[] = "/tmp/tessel-statistics-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    const std::string path = std::string(folder) + "/solves";
    Report("the file replaced (written, flushed to the disk, renamed)", 10, [&] {
        ReplaceKeptFile(path, {reinterpret_cast<const uint8_t*>(stored.data()), stored.size()});
    });
    RemoveKeptFile(path);
    rmdir(folder);
    return 0;
}
