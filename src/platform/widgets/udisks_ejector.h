#pragma once

#include "platform/card_ejector.h"
#include "platform/udisks_plan.h"

#include <QDBusConnection>

namespace kadoru {

// Safe removal through the UDisks2 service, over the bus it is given: the system bus
// in the program, a private bus of their own in the tests.
class UdisksEjector final : public CardEjector {
public:
    explicit UdisksEjector(QDBusConnection bus = QDBusConnection::systemBus());

    void eject(const std::string& root) override;

    // The service's objects now; Failure when the service cannot be asked.
    UdisksObjects objects() const;

private:
    void call(const std::string& path, const char* interface, const char* method) const;

    QDBusConnection bus_;
};

} // namespace kadoru
