#include "platform/widgets/lazy_tool_tip.h"

#include "platform/widgets/qt_child.h"

#include <exception>
#include <utility>

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace kadoru {

namespace {

class LazyToolTip final : public QObject {
public:
    LazyToolTip(std::function<QString(QPoint)> text, QWidget* widget)
        : QObject(widget), widget_(*widget), text_(std::move(text)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &widget_ || event->type() != QEvent::ToolTip)
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = text_at(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, &widget_);
        }
        return true;
    }

private:
    QString text_at(QPoint place) const noexcept {
        // A tooltip is a courtesy: a file that cannot be read shows none, and says nothing.
        try {
            return text_(place);
        } catch (const std::exception&) {
            return {};
        }
    }

    QWidget& widget_;
    std::function<QString(QPoint)> text_;
};

} // namespace

void lazy_tool_tip(QWidget& widget, std::function<QString(QPoint)> text) {
    child<LazyToolTip>(&widget, std::move(text));
}

} // namespace kadoru
