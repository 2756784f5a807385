#include "platform/widgets/udisks_ejector.h"

#include "platform/widgets/qt_text.h"

#include <unistd.h>
#include <utility>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QMap>
#include <QProcess>
#include <QVariantMap>

namespace kadoru {

namespace {

const QString service = QStringLiteral("org.freedesktop.UDisks2");
constexpr const char* block_interface = "org.freedesktop.UDisks2.Block";
constexpr const char* filesystem_interface = "org.freedesktop.UDisks2.Filesystem";
constexpr const char* drive_interface = "org.freedesktop.UDisks2.Drive";
constexpr const char* loop_interface = "org.freedesktop.UDisks2.Loop";
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
            const auto loop = interfaces.constFind(QString::fromLatin1(loop_interface));
            objects.blocks.push_back(
                {path,
                 qdbus_cast<QDBusObjectPath>(block->value(QStringLiteral("Drive")))
                     .path()
                     .toStdString(),
                 has_filesystem,
                 has_filesystem ? mount_points(filesystem->value(QStringLiteral("MountPoints")))
                                : std::vector<std::string>{},
                 // A block that does not say is taken for the machine's own.
                 block->value(QStringLiteral("HintSystem"), true).toBool(),
                 loop == interfaces.cend()
                     ? std::nullopt
                     : std::optional<std::uint32_t>(
                           loop->value(QStringLiteral("SetupByUID")).toUInt())});
        }
        if (const auto drive = interfaces.constFind(QString::fromLatin1(drive_interface));
            drive != interfaces.cend())
            objects.drives.push_back({path, drive->value(QStringLiteral("CanPowerOff")).toBool()});
    }
    return objects;
}

// Without the service: the card's own file system alone, as the user may unmount it.
bool umount_alone(const std::string& root) {
    return QProcess::execute(QStringLiteral("umount"), {qt_text(root)}) == 0;
}

} // namespace

UdisksEjector::UdisksEjector(QDBusConnection bus, UnmountAlone unmount_alone,
                             std::optional<std::uint32_t> user)
    : bus_(std::move(bus)),
      unmount_alone_(unmount_alone ? std::move(unmount_alone) : UnmountAlone(umount_alone)),
      user_(user ? *user : ::getuid()) {
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
}

std::optional<UdisksObjects> UdisksEjector::objects() const {
    const QDBusMessage request = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/UDisks2"),
        QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"));
    const QDBusReply<ManagedObjects> reply = bus_.call(request, QDBus::Block, call_timeout_ms);
    if (!reply.isValid()) {
        const std::string error =
            bus_.isConnected() ? reply.error().name().toStdString() : std::string(no_udisks_error);
        if (means_no_service(error))
            return std::nullopt;
        throw eject_failure(error);
    }
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

Removable UdisksEjector::removable(const std::string& root) const {
    try {
        const auto now = objects();
        if (!now)
            return Removable::unknown;
        return plan_eject(*now, root, user_) ? Removable::yes : Removable::no;
    } catch (const Failure&) {
        return Removable::no;
    }
}

std::optional<std::string> UdisksEjector::eject(const std::string& root) {
    const auto now = objects();
    if (!now) {
        if (!unmount_alone_(root))
            throw Failure(failure_code::permission_denied,
                          "カードのファイルシステムをアンマウントできませんでした。");
        return std::nullopt;
    }
    const auto plan = plan_eject(*now, root, user_);
    if (!plan)
        throw not_removable_failure();
    // A refusal of the card's own file system changes nothing; once it is unmounted
    // the card may be pulled, whatever fails after it.
    call(plan->unmount.front(), filesystem_interface, "Unmount");
    try {
        for (std::size_t i = 1; i < plan->unmount.size(); ++i)
            call(plan->unmount[i], filesystem_interface, "Unmount");
        if (!plan->power_off.empty())
            call(plan->power_off, drive_interface, "PowerOff");
    } catch (const Failure& failure) {
        return std::string(failure.what());
    }
    return std::nullopt;
}

} // namespace kadoru
