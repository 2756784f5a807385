#pragma once

#include <functional>

#include <QPoint>
#include <QString>

class QWidget;

namespace kadoru {

// Gives a widget a tooltip whose text is asked for only when the pointer rests on
// it, so nothing is read before someone wants to see it. text gets the pointer's
// place in the widget (for an item view, pass its viewport); an empty text, or a
// call that fails, shows no tooltip. The widget owns what this installs.
void lazy_tool_tip(QWidget& widget, std::function<QString(QPoint)> text);

} // namespace kadoru
