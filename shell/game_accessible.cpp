#include "shell/game_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>

#include <map>

#include "game/screen_text.h"
#include "shell/game_view.h"
#include "shell/look_choice.h"

namespace tessel {

namespace {

class ViewAccessible;

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A board cell's identity: its tile while it holds one (the tile travels, its object with it), else its
// place in the screen text's list.
int CellKey(const ScreenItem& cell, std::size_t index) {
    return cell.tile > 0 ? 1000 + cell.tile : static_cast<int>(index);
}

// A button (a menu label, Quit) or a board cell, read afresh from the view's screen text at every question.
class ItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    ItemAccessible(ViewAccessible* owner, bool cell, int key) : owner_(owner), cell_(cell), key_(key) {}

    bool isValid() const override { return item() != nullptr; }
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
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    const ScreenItem* item() const;

  private:
    ViewAccessible* owner_;
    bool cell_;
    int key_;  // a button's index, a cell's CellKey
};

// The status bar and the notification in it that speaks what each action did. Orca reads a notification
// as it shows, and leaves out its role name inside a status bar.
class WordsAccessible : public QAccessibleInterface {
  public:
    WordsAccessible(ViewAccessible* owner, QAccessible::Role role) : owner_(owner), role_(role) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override { return role_ == QAccessible::StatusBar ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return childCount() == 1 && child == this->child(0) ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override { return {}; }

  private:
    ViewAccessible* owner_;
    QAccessible::Role role_;
};

// Watches the view's shape for the sideways message.
class ShapeWatch : public QObject {
  public:
    explicit ShapeWatch(ViewAccessible* owner) : owner_(owner) {}
    bool eventFilter(QObject*, QEvent* event) override;

  private:
    ViewAccessible* owner_;
};

// The view: its name the puzzle's (or "Menu"); its children the menu's buttons, or a board's cells row by
// row and Quit, then the status bar. The items of one screen live as long as it shows; a new screen gets
// new ones, so that a screen reader never sees a focused button renamed.
class ViewAccessible : public QAccessibleWidget {
  public:
    explicit ViewAccessible(GameView* view) : QAccessibleWidget(view, QAccessible::Client), watch_(this) {
        text_ = DescribeScreen(view->game());
        landscape_ = view->isLandscape();
        view->installEventFilter(&watch_);
        refresh_ = QObject::connect(view, &GameView::played, view, [this] { Refresh(); });
        // A new look changes no word of the game; the player hears which look it is.
        look_ = QObject::connect(view, &GameView::lookChanged, view,
                                 [this] { Say(LookWords(this->view()->game().look)); });
        // The view taking the keyboard's focus hands it on to the cursor's item.
        focus_ = QObject::connect(qApp, &QApplication::focusChanged, view, [this](QWidget*, QWidget* now) {
            if (now == nullptr || now != this->view()) return;
            focused_ = focusChild();
            Send(focused_, QAccessible::Focus);
        });
        bar_ = QAccessible::registerAccessibleInterface(new WordsAccessible(this, QAccessible::StatusBar));
        note_ =
            QAccessible::registerAccessibleInterface(new WordsAccessible(this, QAccessible::Notification));
    }
    ~ViewAccessible() override {
        QObject::disconnect(refresh_);
        QObject::disconnect(look_);
        QObject::disconnect(focus_);
        if (GameView* shown = view()) shown->removeEventFilter(&watch_);
        DropItems();
        QAccessible::deleteAccessibleInterface(note_);
        QAccessible::deleteAccessibleInterface(bar_);
    }

    const ScreenText& screenText() const { return text_; }
    const QString& words() const { return said_; }
    QAccessibleInterface* statusBar() const { return QAccessible::accessibleInterface(bar_); }
    QAccessibleInterface* notification() const { return QAccessible::accessibleInterface(note_); }

    QAccessibleInterface* button(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= text_.buttons.size()) return nullptr;
        return Pooled(false, index);
    }
    QAccessibleInterface* cell(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= text_.cells.size()) return nullptr;
        const auto i = static_cast<std::size_t>(index);
        return Pooled(true, CellKey(text_.cells[i], i));
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
        return QAccessibleWidget::text(t);
    }
    int childCount() const override {
        return static_cast<int>(text_.cells.size() + text_.buttons.size()) + 1;
    }
    QAccessibleInterface* child(int index) const override {
        const int cells = static_cast<int>(text_.cells.size());
        if (index < cells) return cell(index);
        if (index == childCount() - 1) return statusBar();
        return button(index - cells);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child) return i;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount() - 1; ++i) {
            QAccessibleInterface* item = child(i);
            if (item->rect().contains(x, y)) return item;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        QAccessibleInterface* item = cursorItem();
        return item != nullptr && hasKeyboardFocus() ? item : nullptr;
    }

    void resized() {
        const GameView* shown = view();
        if (shown == nullptr || shown->isLandscape() == landscape_) return;
        landscape_ = shown->isLandscape();
        Say(landscape_ ? LandscapeMessage() : text(QAccessible::Name));
    }

  private:
    QAccessibleInterface* Pooled(bool cell, int key) const {
        auto& ids = cell ? cells_ : buttons_;
        auto found = ids.find(key);
        if (found == ids.end()) {
            auto* item = new ItemAccessible(const_cast<ViewAccessible*>(this), cell, key);
            found = ids.emplace(key, QAccessible::registerAccessibleInterface(item)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    void DropItems() {
        for (std::map<int, QAccessible::Id>* ids : {&buttons_, &cells_}) {
            for (const auto& [key, id] : *ids) QAccessible::deleteAccessibleInterface(id);
            ids->clear();
        }
        focused_ = nullptr;
    }

    static void Send(QAccessibleInterface* item, QAccessible::Event type) {
        if (item == nullptr) return;
        QAccessibleEvent event(item, type);
        QAccessible::updateAccessibility(&event);
    }

    // The notification shows again with the words: Orca speaks it (Qt 6.4 sends name and description
    // changes with the object in place of the text, which Orca cannot speak).
    void Say(const QString& words) {
        if (words.isEmpty()) return;
        said_ = words;
        Send(notification(), QAccessible::ObjectShow);
    }

    // After an action: what appeared or went, the names that changed, the focus, then the words.
    void Refresh() {
        GameView* shown = view();
        if (shown == nullptr) return;
        Session& session = shown->shownSession();
        const ScreenText before = std::move(text_);
        text_ = DescribeScreen(session.game);
        const QString words = ToQString(TakePlayedWords(session));
        const bool newScreen = before.heading != text_.heading ||
                               before.buttons.size() != text_.buttons.size() ||
                               before.cells.size() != text_.cells.size();
        if (newScreen) {
            DropItems();
            for (int i = 0; i < childCount(); ++i) Send(child(i), QAccessible::ObjectCreated);
        }
        for (std::size_t i = 0; i < text_.cells.size() && !newScreen; ++i) {
            const ScreenItem& was = before.cells[i];
            const ScreenItem& is = text_.cells[i];
            if (was.name != is.name || was.place != is.place)
                Send(cell(static_cast<int>(i)), QAccessible::NameChanged);
        }
        // Focus only when it lands on another item: a tile that travels keeps its item and its focus.
        QAccessibleInterface* item = focusChild();
        if (item != nullptr && item != focused_) Send(item, QAccessible::Focus);
        focused_ = item;
        Say(words);
    }

    // The view, or null once it is being destroyed: its widget part still sends events then, when it is no
    // longer a GameView.
    GameView* view() const { return qobject_cast<GameView*>(object()); }
    ShapeWatch watch_;
    QMetaObject::Connection refresh_;
    QMetaObject::Connection look_;
    QMetaObject::Connection focus_;
    ScreenText text_;
    bool landscape_ = false;
    QString said_;
    QAccessible::Id bar_ = 0;
    QAccessible::Id note_ = 0;
    QAccessibleInterface* focused_ = nullptr;
    mutable std::map<int, QAccessible::Id> buttons_;
    mutable std::map<int, QAccessible::Id> cells_;
};

bool ShapeWatch::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Resize) owner_->resized();
    return false;
}

const ScreenItem* ItemAccessible::item() const {
    const ScreenText& text = owner_->screenText();
    if (!cell_)
        return key_ < static_cast<int>(text.buttons.size()) ? &text.buttons[static_cast<std::size_t>(key_)]
                                                            : nullptr;
    for (std::size_t i = 0; i < text.cells.size(); ++i) {
        if (CellKey(text.cells[i], i) == key_) return &text.cells[i];
    }
    return nullptr;
}
QWindow* ItemAccessible::window() const {
    return owner_->window();
}
QAccessibleInterface* ItemAccessible::parent() const {
    return owner_;
}
// A cell is spoken with its place: "7, row 2 column 3".
QString ItemAccessible::text(QAccessible::Text t) const {
    const ScreenItem* shown = item();
    if (t != QAccessible::Name || shown == nullptr) return {};
    return ToQString(shown->place.empty() ? shown->name : shown->name + ", " + shown->place);
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

QWindow* WordsAccessible::window() const {
    return owner_->window();
}
QAccessibleInterface* WordsAccessible::parent() const {
    return role_ == QAccessible::StatusBar ? owner_ : owner_->statusBar();
}
QAccessibleInterface* WordsAccessible::child(int index) const {
    return index == 0 && childCount() == 1 ? owner_->notification() : nullptr;
}
QString WordsAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name && role_ == QAccessible::Notification ? owner_->words() : QString();
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
