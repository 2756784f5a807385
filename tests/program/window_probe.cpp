// A Qt input plugin that lets a test see the real program's window as assistive
// technology does: loaded into the unchanged executable through Qt's own
// QT_QPA_GENERIC_PLUGINS, it waits until the main window is shown, writes each
// captioned control's state to standard output ("name=value" lines), then presses
// the button named by KADORU_PROBE_PRESS ("Close") or else closes the window by its
// close box. A message box shown instead of the window is reported and ends the run.

#include <cstdio>
#include <cstdlib>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

namespace kadoru::test {

namespace {

void say(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

// A tree shows the current folder under the folders above it: the chain down to
// it. A flat list shows its rows.
QString shown(const QAbstractItemView* view) {
    QStringList parts;
    if (qobject_cast<const QTreeView*>(view) != nullptr) {
        for (QModelIndex at = view->currentIndex(); at.isValid(); at = at.parent())
            parts.prepend(at.data().toString());
        return parts.join(QStringLiteral(" > "));
    }
    for (int row = 0; row < view->model()->rowCount(); ++row)
        parts.append(view->model()->index(row, 0).data().toString());
    return parts.join(QStringLiteral("|"));
}

void report(QWidget* window) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->accessibleName().isEmpty())
            continue;
        if (const auto* combo = qobject_cast<QComboBox*>(control))
            say(control->accessibleName() + u'=' + combo->currentText());
        else if (const auto* view = qobject_cast<QAbstractItemView*>(control))
            say(control->accessibleName() + u'=' + shown(view));
    }
}

void act(QWidget* window) {
    const QString press = qEnvironmentVariable("KADORU_PROBE_PRESS");
    if (press.isEmpty()) {
        window->close();
        return;
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text() == press) {
            button->click();
            return;
        }
    say(QStringLiteral("no button ") + press);
    std::_Exit(2);
}

class WindowProbe final : public QObject {
public:
    WindowProbe() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || widget == nullptr || !widget->isWindow() || done_)
            return false;
        done_ = true;
        // Acts once the window is on screen and its events have run.
        QTimer::singleShot(0, this, [window = QPointer<QWidget>(widget)] {
            if (window == nullptr)
                return;
            if (const auto* box = qobject_cast<QMessageBox*>(window.data())) {
                say(QStringLiteral("message=") + box->text());
                std::_Exit(3);
            }
            report(window);
            act(window);
        });
        return false;
    }

private:
    bool done_ = false;
};

class WindowProbePlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "window_probe.json")

public:
    QObject* create(const QString& /*name*/, const QString& /*key*/) override {
        return new WindowProbe;
    }
};

} // namespace

} // namespace kadoru::test

#include "window_probe.moc"
