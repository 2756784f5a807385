#pragma once

#include "platform/notifier.h"

#include <QPointer>

namespace kadoru {

// Has a widget draw itself again (`draw`) on every change the notifier tells of. The
// state may outlive the widget, and a notifier keeps its slots: once the widget is
// deleted, a change draws nothing.
template <class Widget>
void redraw_on(const Notifier& changed, Widget* widget, void (Widget::*draw)()) {
    changed.connect([widget = QPointer<Widget>(widget), draw] {
        if (widget)
            (widget->*draw)();
    });
}

} // namespace kadoru
