#pragma once

#include "support/scratch.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace kadoru::test {

// A D-Bus bus of the test's own (never the machine's), with services of
// tests/support/bus_services.py on it. Everything it started ends with it.
class PrivateBus {
public:
    PrivateBus() {
        const std::string config = scratch_.write("bus.conf", R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=)" + scratch_.path() + R"(</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
    <allow own="*"/>
  </policy>
</busconfig>
)");
        // No service folders: nothing of the machine's is started on demand.
        daemon_.setStandardErrorFile(QProcess::nullDevice());
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                       QStringLiteral("--config-file=") + QString::fromStdString(config)});
        if (!daemon_.waitForReadyRead(10'000)) {
            why_not_ = "no dbus-daemon (Debian package dbus-daemon)";
            return;
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        bus_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, address_));
        if (!bus_->isConnected())
            why_not_ = "cannot connect to the test's own bus";
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    PrivateBus(PrivateBus&&) = delete;
    PrivateBus& operator=(PrivateBus&&) = delete;
    ~PrivateBus() {
        bus_.reset();
        QDBusConnection::disconnectFromBus(address_);
        for (auto& service : services_)
            end(*service);
        end(daemon_);
    }

    // Empty when the bus is up; otherwise why the test cannot run.
    const std::string& why_not() const { return why_not_; }
    QDBusConnection bus() const { return *bus_; }

    // Starts a service of bus_services.py and returns once its name is on the bus;
    // false (and why_not says why) when it cannot run here.
    bool start(const QStringList& arguments) {
        auto& service = *services_.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        service.setProcessEnvironment(environment);
        service.setStandardErrorFile(QProcess::nullDevice());
        // The system's Python, which has the distribution's python3-dbus.
        service.start(QStringLiteral("/usr/bin/python3"),
                      QStringList{QStringLiteral(KADORU_BUS_SERVICES_SCRIPT)} + arguments);
        const QByteArray line =
            service.waitForReadyRead(10'000) ? service.readLine().trimmed() : QByteArray{};
        if (line != "ready")
            why_not_ =
                line.isEmpty() ? "the test's D-Bus service did not start" : line.toStdString();
        return why_not_.empty();
    }

private:
    static void end(QProcess& process) {
        process.terminate();
        if (!process.waitForFinished(5'000))
            process.kill();
        process.waitForFinished(5'000);
    }

    ScratchFolder scratch_;
    QProcess daemon_;
    QString address_;
    std::unique_ptr<QDBusConnection> bus_;
    std::vector<std::unique_ptr<QProcess>> services_;
    std::string why_not_;
};

} // namespace kadoru::test
