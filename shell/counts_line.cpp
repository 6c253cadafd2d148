#include "shell/counts_line.h"

#include "core/game.h"
#include "game/session.h"
#include "shell/game_view.h"

namespace tessel {

namespace {

// Often enough that the seconds never lag by much.
constexpr int REFRESH_MS = 250;

}  // namespace

CountsLine::CountsLine(GameView& view, QWidget* parent) : QLabel(parent), view_(view) {
    setObjectName(QStringLiteral("counts"));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    setFont(small);
    followLook();
    setContentsMargins(4, 0, 4, 0);
    // One line high whatever it says, so that the picture's scale never changes with it.
    setFixedHeight(fontMetrics().height());
    connect(&view, &GameView::played, this, &CountsLine::refresh);
    connect(&view, &GameView::lookChanged, this, &CountsLine::followLook);
    connect(&tick_, &QTimer::timeout, this, &CountsLine::refresh);
    tick_.start(REFRESH_MS);
    refresh();
}

void CountsLine::followLook() {
    const bool classic = view_.game().look == Look::CLASSIC;
    setForegroundRole(classic ? QPalette::PlaceholderText : QPalette::WindowText);
}

void CountsLine::refresh() {
    setText(QString::fromStdString(view_.countsText()));
}

}  // namespace tessel
