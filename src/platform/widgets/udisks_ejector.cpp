#include "platform/widgets/udisks_ejector.h"

#include "platform/widgets/qt_text.h"

#include <utility>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QMap>
#include <QVariantMap>

namespace kadoru {

namespace {

const QString service = QStringLiteral("org.freedesktop.UDisks2");
constexpr const char* block_interface = "org.freedesktop.UDisks2.Block";
constexpr const char* filesystem_interface = "org.freedesktop.UDisks2.Filesystem";
constexpr const char* drive_interface = "org.freedesktop.UDisks2.Drive";
// Unmounting a card that is still being written waits for the writes to reach it.
constexpr int call_timeout_ms = 120'000;

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

// A mount point travels as a NUL-terminated byte string.
std::vector<std::string> mount_points(const QVariant& value) {
    std::vector<std::string> points;
    for (const QByteArray& point : qdbus_cast<QByteArrayList>(value)) {
        const auto end = point.indexOf('\0');
        points.push_back((end < 0 ? point : point.left(end)).toStdString());
    }
    return points;
}

UdisksObjects from_managed(const ManagedObjects& managed) {
    UdisksObjects objects;
    for (auto object = managed.cbegin(); object != managed.cend(); ++object) {
        const std::string path = object.key().path().toStdString();
        const Interfaces& interfaces = object.value();
        if (const auto block = interfaces.constFind(QString::fromLatin1(block_interface));
            block != interfaces.cend()) {
            const auto filesystem = interfaces.constFind(QString::fromLatin1(filesystem_interface));
            const bool has_filesystem = filesystem != interfaces.cend();
            objects.blocks.push_back(
                {path,
                 qdbus_cast<QDBusObjectPath>(block->value(QStringLiteral("Drive")))
                     .path()
                     .toStdString(),
                 has_filesystem,
                 has_filesystem ? mount_points(filesystem->value(QStringLiteral("MountPoints")))
                                : std::vector<std::string>{}});
        }
        if (const auto drive = interfaces.constFind(QString::fromLatin1(drive_interface));
            drive != interfaces.cend())
            objects.drives.push_back({path, drive->value(QStringLiteral("CanPowerOff")).toBool()});
    }
    return objects;
}

} // namespace

UdisksEjector::UdisksEjector(QDBusConnection bus) : bus_(std::move(bus)) {
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
}

UdisksObjects UdisksEjector::objects() const {
    const QDBusMessage request = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/UDisks2"),
        QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"));
    const QDBusReply<ManagedObjects> reply = bus_.call(request, QDBus::Block, call_timeout_ms);
    if (!reply.isValid())
        throw eject_failure(bus_.isConnected() ? reply.error().name().toStdString()
                                               : no_udisks_error);
    return from_managed(reply.value());
}

void UdisksEjector::call(const std::string& path, const char* interface, const char* method) const {
    QDBusMessage request = QDBusMessage::createMethodCall(
        service, qt_text(path), QString::fromLatin1(interface), QString::fromLatin1(method));
    // No options: the desktop may ask for the user's password where its rules want one.
    request << QVariantMap{};
    const QDBusMessage reply = bus_.call(request, QDBus::Block, call_timeout_ms);
    if (reply.type() == QDBusMessage::ErrorMessage)
        throw eject_failure(reply.errorName().toStdString());
}

void UdisksEjector::eject(const std::string& root) {
    const auto plan = plan_eject(objects(), root);
    if (!plan)
        throw not_removable_failure();
    for (const auto& block : plan->unmount)
        call(block, filesystem_interface, "Unmount");
    if (!plan->power_off.empty())
        call(plan->power_off, drive_interface, "PowerOff");
}

} // namespace kadoru
