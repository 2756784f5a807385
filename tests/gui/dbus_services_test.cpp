// The card ejector and the desktop notice against D-Bus services of the test's own,
// on a bus of the test's own.
#include "platform/failure.h"
#include "platform/widgets/dbus_desktop_notice.h"
#include "platform/widgets/udisks_ejector.h"
#include "support/private_bus.h"
#include "support/udisks_machine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

#include <QApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

namespace kadoru {
namespace {

using ::testing::ElementsAre;

// A card reader's drive with two mounted partitions; sdb1 is the card's root.
constexpr const char* reader = R"({
 "blocks": [
  {"path": "/org/freedesktop/UDisks2/block_devices/sdb1", "mount_points": ["/media/u/PLAYER"],
   "hint_system": false, "drive": "/org/freedesktop/UDisks2/drives/Reader" UNMOUNT_ERROR},
  {"path": "/org/freedesktop/UDisks2/block_devices/sdb2", "mount_points": ["/media/u/DATA"],
   "hint_system": false, "drive": "/org/freedesktop/UDisks2/drives/Reader"},
  {"path": "/org/freedesktop/UDisks2/block_devices/sda1", "mount_points": ["/"],
   "drive": "/org/freedesktop/UDisks2/drives/Disk"}],
 "drives": [
  {"path": "/org/freedesktop/UDisks2/drives/Reader", "can_power_off": true POWER_OFF_ERROR},
  {"path": "/org/freedesktop/UDisks2/drives/Disk"}]})";

struct EjectCase {
    const char* title;
    bool service;
    const char* unmount_error;
    const char* power_off_error;
    const char* root;
    std::vector<std::string> calls;
    std::optional<int> failure;
};

void PrintTo(const EjectCase& c, std::ostream* os) {
    *os << c.title;
}

QString objects(const EjectCase& c) {
    const auto error = [](const char* key, const char* name) {
        return *name == '\0' ? QString()
                             : QStringLiteral(", \"%1\": \"%2\"")
                                   .arg(QString::fromUtf8(key), QString::fromUtf8(name));
    };
    QString text = QString::fromUtf8(reader);
    text.replace(QStringLiteral("UNMOUNT_ERROR"), error("unmount_error", c.unmount_error));
    text.replace(QStringLiteral("POWER_OFF_ERROR"), error("power_off_error", c.power_off_error));
    return text;
}

class Eject : public ::testing::TestWithParam<EjectCase> {};

TEST_P(Eject, UnmountsTheDrivesFileSystemsThenPowersItOff) {
    const EjectCase& c = GetParam();
    test::PrivateBus bus;
    if (c.service)
        bus.start({QStringLiteral("udisks"), objects(c)});
    if (!bus.why_not().empty())
        GTEST_SKIP() << bus.why_not();

    std::vector<std::string> unmounted_alone;
    UdisksEjector ejector(bus.bus(), [&](const std::string& root) {
        unmounted_alone.push_back(root);
        return false;
    });
    std::optional<int> failure;
    std::optional<std::string> left;
    try {
        left = ejector.eject(c.root);
    } catch (const Failure& f) {
        failure = f.code();
    }
    EXPECT_EQ(failure, c.failure);
    // Refused after the card's own unmount: the card may be pulled, and is told so.
    EXPECT_EQ(left.has_value(), *c.power_off_error != '\0');
    if (!c.service) {
        EXPECT_EQ(unmounted_alone, std::vector<std::string>{c.root});
        return;
    }
    const QDBusReply<QStringList> calls = bus.bus().call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.UDisks2"), QStringLiteral("/org/freedesktop/UDisks2"),
        QStringLiteral("io.github.kadoru.Test"), QStringLiteral("Calls")));
    ASSERT_TRUE(calls.isValid()) << calls.error().message().toStdString();
    std::vector<std::string> made;
    for (QString call : calls.value())
        made.push_back(call.remove(QStringLiteral("/org/freedesktop/UDisks2/")).toStdString());
    EXPECT_EQ(made, c.calls);
}

constexpr const char* busy = "org.freedesktop.UDisks2.Error.DeviceBusy";
constexpr const char* not_authorised = "org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain";

INSTANTIATE_TEST_SUITE_P(
    Cases, Eject,
    ::testing::Values(
        EjectCase{
            "a card",
            true,
            "",
            "",
            "/media/u/PLAYER",
            {"block_devices/sdb1 Unmount", "block_devices/sdb2 Unmount", "drives/Reader PowerOff"},
            std::nullopt},
        EjectCase{"a busy card",
                  true,
                  busy,
                  "",
                  "/media/u/PLAYER",
                  {"block_devices/sdb1 Unmount"},
                  failure_code::permission_denied},
        EjectCase{
            "no power off for the user",
            true,
            "",
            not_authorised,
            "/media/u/PLAYER",
            {"block_devices/sdb1 Unmount", "block_devices/sdb2 Unmount", "drives/Reader PowerOff"},
            std::nullopt},
        EjectCase{"a volume the service does not know",
                  true,
                  "",
                  "",
                  "/mnt/else",
                  {},
                  failure_code::device_unavailable},
        EjectCase{
            "no UDisks2", false, "", "", "/media/u/PLAYER", {}, failure_code::permission_denied}));

// The service's stand-in tells the machine of the removal plan's table, property for
// property; the ejector offers removal where the plan has one.
QString machine_json() {
    QJsonArray blocks;
    for (const auto& b : test::udisks_machine.blocks) {
        QJsonObject block{{QStringLiteral("path"), QString::fromStdString("/org" + b.path)},
                          {QStringLiteral("drive"),
                           QString::fromStdString(b.drive == "/" ? "/" : "/org" + b.drive)},
                          {QStringLiteral("filesystem"), b.has_filesystem},
                          {QStringLiteral("hint_system"), b.hint_system}};
        QJsonArray points;
        for (const auto& point : b.mount_points)
            points.append(QString::fromStdString(point));
        block.insert(QStringLiteral("mount_points"), points);
        if (b.loop_setup_by)
            block.insert(QStringLiteral("loop_setup_by"), static_cast<qint64>(*b.loop_setup_by));
        blocks.append(block);
    }
    QJsonArray drives;
    for (const auto& d : test::udisks_machine.drives)
        drives.append(QJsonObject{{QStringLiteral("path"), QString::fromStdString("/org" + d.path)},
                                  {QStringLiteral("can_power_off"), d.can_power_off}});
    return QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("blocks"), blocks},
                                                       {QStringLiteral("drives"), drives}})
                                 .toJson(QJsonDocument::Compact));
}

TEST(Removable, AsThePlanFromTheServicesOwnProperties) {
    test::PrivateBus bus;
    bus.start({QStringLiteral("udisks"), machine_json()});
    if (!bus.why_not().empty())
        GTEST_SKIP() << bus.why_not();
    const UdisksEjector ejector(bus.bus(), {}, test::machine_user);
    for (const auto& c : test::removal_cases)
        EXPECT_EQ(ejector.removable(c.root), c.plan ? Removable::yes : Removable::no) << c.root;
}

// The bodies of the notices the notification service was sent.
std::vector<std::string> notices(const QDBusConnection& bus) {
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetCalls")));
    std::vector<std::string> bodies;
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {"no reply: " + reply.errorMessage().toStdString()};
    const auto calls = reply.arguments().at(0).value<QDBusArgument>();
    calls.beginArray();
    while (!calls.atEnd()) {
        quint64 time = 0;
        QString method;
        QVariantList arguments;
        calls.beginStructure();
        calls >> time >> method >> arguments;
        calls.endStructure();
        if (method == QStringLiteral("Notify") && arguments.size() == 8)
            bodies.push_back(arguments.at(2).toString().toStdString() + " | " +
                             arguments.at(3).toString().toStdString() + " | " +
                             arguments.at(4).toString().toStdString());
    }
    calls.endArray();
    return bodies;
}

TEST(DesktopNotice, IsPostedWhileTheWindowIsBehindOthersAndWhereTheServiceIsUp) {
    test::PrivateBus bus;
    if (!bus.why_not().empty())
        GTEST_SKIP() << bus.why_not();
    DbusDesktopNotice notice(bus.bus());
    notice.post("処理が終了しました"); // no service yet: nothing happens
    if (!bus.start({QStringLiteral("notification")}))
        GTEST_SKIP() << bus.why_not();

    QWidget window;
    notice.set_window(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.isActiveWindow());
    notice.post("Error：61で異常終了しました"); // the user is looking at the window
    window.hide();
    notice.post("Error：71で異常終了しました");
    EXPECT_THAT(notices(bus.bus()),
                ElementsAre("io.github.kadoru.Kadoru | Kadoru | Error：71で異常終了しました"));
}

} // namespace
} // namespace kadoru
