#include "shell/game_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>

#include <vector>

#include "game/screen_text.h"
#include "shell/game_view.h"

namespace tessel {

namespace {

class ViewAccessible;

// A button (a menu label, Quit) or a board cell, read afresh from the view's screen text at every question.
class ItemAccessible : public QAccessibleInterface,
                       public QAccessibleActionInterface,
                       public QAccessibleTableCellInterface {
  public:
    ItemAccessible(ViewAccessible* owner, bool cell, int index) : owner_(owner), cell_(cell), index_(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return cell_ ? QAccessible::Cell : QAccessible::Button; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::TableCellInterface && cell_)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    const ScreenItem* item() const;

    ViewAccessible* owner_;
    bool cell_;
    int index_;
};

// A board's cells, row by row.
class TableAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
  public:
    explicit TableAccessible(ViewAccessible* owner) : owner_(owner) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override { return {}; }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    ViewAccessible* owner_;
};

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The view: its name the puzzle's (or "Menu"), its description what the last action did. Its items live
// as long as it does, registered with Qt once and handed out again and again.
class ViewAccessible : public QAccessibleWidget {
  public:
    explicit ViewAccessible(GameView* view) : QAccessibleWidget(view, QAccessible::Client) {
        text_ = DescribeScreen(view->game());
        shown_ = TakeShownState(view->game());
        refresh_ = QObject::connect(view, &GameView::played, view, [this] { Refresh(); });
        // The view taking the keyboard's focus hands it on to the cursor's item.
        focus_ = QObject::connect(qApp, &QApplication::focusChanged, view, [this](QWidget*, QWidget* now) {
            if (now != nullptr && now == this->view()) Send(focusChild(), QAccessible::Focus);
        });
    }
    ~ViewAccessible() override {
        QObject::disconnect(refresh_);
        QObject::disconnect(focus_);
        for (const std::vector<QAccessible::Id>* ids : {&buttons_, &cells_}) {
            for (const QAccessible::Id id : *ids) QAccessible::deleteAccessibleInterface(id);
        }
        if (table_ != 0) QAccessible::deleteAccessibleInterface(table_);
    }

    const ScreenText& screenText() const { return text_; }
    bool hasBoard() const { return !text_.cells.empty(); }

    QAccessibleInterface* button(int index) const {
        return Pooled(buttons_, false, index, text_.buttons.size());
    }
    QAccessibleInterface* cell(int index) const { return Pooled(cells_, true, index, text_.cells.size()); }
    QAccessibleInterface* table() const {
        if (!hasBoard()) return nullptr;
        if (table_ == 0)
            table_ = QAccessible::registerAccessibleInterface(
                new TableAccessible(const_cast<ViewAccessible*>(this)));
        return QAccessible::accessibleInterface(table_);
    }

    // The item under the keyboard's cursor, when it shows.
    QAccessibleInterface* cursorItem() const {
        const GameView* shown = view();
        if (shown == nullptr) return nullptr;
        const CursorItem at = FindCursorItem(text_, shown->session().cursor);
        if (at.kind == CursorItem::BUTTON) return button(at.index);
        if (at.kind == CursorItem::CELL) return cell(at.index);
        return nullptr;
    }
    bool hasKeyboardFocus() const { return view() != nullptr && view()->hasFocus(); }

    // An item's rectangle on the screen: game pixels through the view's scale.
    QRect screenRect(const ScreenItem& item) const {
        const GameView* shown = view();
        if (shown == nullptr) return {};
        const qreal dpr = shown->devicePixelRatio();
        const int k = shown->scale();
        const auto logical = [&](int32_t pixels) { return static_cast<int>(pixels * k / dpr); };
        const QPoint topLeft = shown->mapToGlobal(QPoint(logical(item.x), logical(item.y)));
        return {topLeft, QSize(logical(item.width), logical(item.height))};
    }

    // A press plays a tap at the item's point, as the mouse would at the middle of that game pixel.
    void press(const ScreenItem& item) {
        GameView* shown = view();
        if (shown == nullptr) return;
        const qreal dpr = shown->devicePixelRatio();
        const int k = shown->scale();
        const QPointF at((item.tapX * k + k / 2.0) / dpr, (item.tapY * k + k / 2.0) / dpr);
        QMouseEvent down(QEvent::MouseButtonPress, at, shown->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(shown, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, at, shown->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(shown, &up);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return text_.heading.empty() ? QStringLiteral("Menu") : ToQString(text_.heading);
        if (t == QAccessible::Description) return said_;
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return static_cast<int>(text_.buttons.size()) + (hasBoard() ? 1 : 0); }
    QAccessibleInterface* child(int index) const override {
        if (hasBoard() && index == 0) return table();
        return button(index - (hasBoard() ? 1 : 0));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child) return i;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* item = child(i);
            if (item->rect().contains(x, y)) return item;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        QAccessibleInterface* item = cursorItem();
        return item != nullptr && hasKeyboardFocus() ? item : nullptr;
    }

  private:
    QAccessibleInterface* Pooled(std::vector<QAccessible::Id>& ids, bool cells, int index,
                                 std::size_t count) const {
        if (index < 0 || static_cast<std::size_t>(index) >= count) return nullptr;
        while (ids.size() <= static_cast<std::size_t>(index)) {
            auto* item =
                new ItemAccessible(const_cast<ViewAccessible*>(this), cells, static_cast<int>(ids.size()));
            ids.push_back(QAccessible::registerAccessibleInterface(item));
        }
        return QAccessible::accessibleInterface(ids[static_cast<std::size_t>(index)]);
    }

    static void Send(QAccessibleInterface* item, QAccessible::Event type) {
        if (item == nullptr) return;
        QAccessibleEvent event(item, type);
        QAccessible::updateAccessibility(&event);
    }

    // After an action: what appeared or went, the names that changed, what the action did, and the focus.
    void Refresh() {
        const GameView* shown = view();
        if (shown == nullptr) return;
        const Session& session = shown->session();
        const ScreenText before = std::move(text_);
        text_ = DescribeScreen(session.game);
        said_ = ToQString(DescribeChange(shown_, session.game));
        if (said_.isEmpty() && session.hint) said_ = ToQString("hint: " + session.hint->move);
        shown_ = TakeShownState(session.game);
        const bool newScreen = before.heading != text_.heading ||
                               before.buttons.size() != text_.buttons.size() ||
                               before.cells.size() != text_.cells.size();
        if (newScreen) {
            Send(this, QAccessible::NameChanged);
            if (hasBoard()) Send(table(), QAccessible::ObjectCreated);
            for (int i = 0; i < static_cast<int>(text_.buttons.size()); ++i)
                Send(button(i), QAccessible::ObjectCreated);
        }
        const auto changed = [&](const std::vector<ScreenItem>& was, const std::vector<ScreenItem>& is,
                                 std::size_t i) {
            return newScreen || i >= was.size() || was[i].name != is[i].name;
        };
        for (std::size_t i = 0; i < text_.buttons.size(); ++i) {
            if (changed(before.buttons, text_.buttons, i))
                Send(button(static_cast<int>(i)), QAccessible::NameChanged);
        }
        for (std::size_t i = 0; i < text_.cells.size(); ++i) {
            if (changed(before.cells, text_.cells, i))
                Send(cell(static_cast<int>(i)), QAccessible::NameChanged);
        }
        if (!said_.isEmpty()) Send(this, QAccessible::DescriptionChanged);
        if (QAccessibleInterface* item = focusChild()) Send(item, QAccessible::Focus);
    }

    // The view, or null once it is being destroyed: its widget part still sends events then, when it is no
    // longer a GameView.
    GameView* view() const { return qobject_cast<GameView*>(object()); }
    QMetaObject::Connection refresh_;
    QMetaObject::Connection focus_;
    ScreenText text_;
    ShownState shown_;
    QString said_;
    mutable std::vector<QAccessible::Id> buttons_;
    mutable std::vector<QAccessible::Id> cells_;
    mutable QAccessible::Id table_ = 0;
};

const ScreenItem* ItemAccessible::item() const {
    const auto& items = cell_ ? owner_->screenText().cells : owner_->screenText().buttons;
    return index_ < static_cast<int>(items.size()) ? &items[static_cast<std::size_t>(index_)] : nullptr;
}
bool ItemAccessible::isValid() const {
    return item() != nullptr;
}
QWindow* ItemAccessible::window() const {
    return owner_->window();
}
QAccessibleInterface* ItemAccessible::parent() const {
    return cell_ ? owner_->table() : owner_;
}
QString ItemAccessible::text(QAccessible::Text t) const {
    const ScreenItem* shown = item();
    return t == QAccessible::Name && shown != nullptr ? ToQString(shown->name) : QString();
}
QRect ItemAccessible::rect() const {
    const ScreenItem* shown = item();
    return shown != nullptr ? owner_->screenRect(*shown) : QRect();
}
QAccessible::State ItemAccessible::state() const {
    QAccessible::State state;
    state.focusable = true;
    state.focused = owner_->hasKeyboardFocus() && owner_->cursorItem() == this;
    if (state.focused) state.active = true;
    return state;
}
void ItemAccessible::doAction(const QString& name) {
    if (const ScreenItem* shown = item(); shown != nullptr && name == pressAction()) owner_->press(*shown);
}
int ItemAccessible::columnIndex() const {
    return owner_->screenText().columns > 0 ? index_ % owner_->screenText().columns : 0;
}
int ItemAccessible::rowIndex() const {
    return owner_->screenText().columns > 0 ? index_ / owner_->screenText().columns : 0;
}
QAccessibleInterface* ItemAccessible::table() const {
    return cell_ ? owner_->table() : nullptr;
}

bool TableAccessible::isValid() const {
    return owner_->hasBoard();
}
QWindow* TableAccessible::window() const {
    return owner_->window();
}
QAccessibleInterface* TableAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* item = child(i);
        if (item->rect().contains(x, y)) return item;
    }
    return nullptr;
}
QAccessibleInterface* TableAccessible::parent() const {
    return owner_;
}
QAccessibleInterface* TableAccessible::child(int index) const {
    return owner_->cell(index);
}
int TableAccessible::childCount() const {
    return static_cast<int>(owner_->screenText().cells.size());
}
int TableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < childCount(); ++i) {
        if (owner_->cell(i) == child) return i;
    }
    return -1;
}
QString TableAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? ToQString(owner_->screenText().heading) : QString();
}
QRect TableAccessible::rect() const {
    QRect all;
    for (const ScreenItem& item : owner_->screenText().cells) all |= owner_->screenRect(item);
    return all;
}
QAccessibleInterface* TableAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    return owner_->cell(row * columnCount() + column);
}
int TableAccessible::columnCount() const {
    return owner_->screenText().columns;
}
int TableAccessible::rowCount() const {
    return owner_->screenText().rows;
}

QAccessibleInterface* CreateInterface(const QString&, QObject* object) {
    auto* view = qobject_cast<GameView*>(object);
    return view != nullptr ? new ViewAccessible(view) : nullptr;
}

}  // namespace

void InstallGameAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(CreateInterface);
}

}  // namespace tessel
