#include "platform/widgets/qt_event_pump.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>

namespace kadoru {

namespace {

bool is_user_input(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// Escape is Close's key: it reaches the focused widget and from there the window.
bool is_close_key(const QEvent& event) {
    if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease &&
        event.type() != QEvent::ShortcutOverride)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    return key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier;
}

bool is_within(const QObject* object, const QObject* ancestor) {
    for (; object != nullptr; object = object->parent())
        if (object == ancestor)
            return true;
    return false;
}

// An event filter on the application for as long as it lives.
class ScopedFilter {
public:
    explicit ScopedFilter(QObject* filter) : filter_(filter) {
        QCoreApplication::instance()->installEventFilter(filter_);
    }
    ~ScopedFilter() { QCoreApplication::instance()->removeEventFilter(filter_); }
    ScopedFilter(const ScopedFilter&) = delete;
    ScopedFilter& operator=(const ScopedFilter&) = delete;
    ScopedFilter(ScopedFilter&&) = delete;
    ScopedFilter& operator=(ScopedFilter&&) = delete;

private:
    QObject* filter_;
};

} // namespace

// Installed on the application only while held events run. Only events on their way
// to a widget are judged: a window passes its input on to its widgets, where it meets
// the filter again.
class QtEventPump::InputFilter final : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        // A key sequence goes to its shortcut, which is no widget but belongs to one.
        const bool to_widget = receiver->isWidgetType() || event->type() == QEvent::Shortcut;
        if (!to_widget || !is_user_input(*event) || is_close_key(*event))
            return false;
        return close_.isNull() || !is_within(receiver, close_.data());
    }

    QPointer<const QObject> close_;
};

QtEventPump::QtEventPump() : filter_(std::make_unique<InputFilter>()) {
}

QtEventPump::~QtEventPump() = default;

void QtEventPump::let_input_reach(const QObject* control) {
    filter_->close_ = control;
}

void QtEventPump::process_events() {
    if (!held_) {
        QCoreApplication::processEvents();
        return;
    }
    const ScopedFilter filter(filter_.get());
    QCoreApplication::processEvents();
}

} // namespace kadoru
