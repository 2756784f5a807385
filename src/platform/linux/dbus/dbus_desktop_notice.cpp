#include "platform/linux/dbus/dbus_desktop_notice.h"

#include "platform/message_box.h"
#include "platform/widgets/qt_text.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace kadoru {

namespace {

// The name of the program's icon and menu entry as installed.
const QString app_id = QStringLiteral("io.github.kadoru.Kadoru");

} // namespace

void DbusDesktopNotice::post(std::string_view text) {
    if (window_active_ && window_active_())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), app_id}};
    // app name, replaces id, icon, summary, body, actions, hints, expiry (-1: the desktop's)
    notify << qt_text(app_title) << 0U << app_id << qt_text(app_title) << qt_text(text)
           << QStringList{} << hints << -1;
    // No reply is awaited: the run's message box follows at once.
    notify.setAutoStartService(false);
    bus_.send(notify);
}

} // namespace kadoru
