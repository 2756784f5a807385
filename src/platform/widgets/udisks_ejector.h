#pragma once

#include "platform/card_ejector.h"
#include "platform/udisks_plan.h"

#include <cstdint>
#include <functional>
#include <optional>

#include <QDBusConnection>

namespace kadoru {

// Safe removal through the UDisks2 service, over the bus it is given: the system bus
// in the program, a private bus of their own in the tests. Where the service is not
// there, the mount place decides and only the card's own file system is unmounted,
// by `unmount_alone` (umount(8) in the program). A loop device that `user` (the
// program's user unless told) set up is the user's own to remove.
class UdisksEjector final : public CardEjector {
public:
    using UnmountAlone = std::function<bool(const std::string& root)>;

    explicit UdisksEjector(QDBusConnection bus = QDBusConnection::systemBus(),
                           UnmountAlone unmount_alone = {},
                           std::optional<std::uint32_t> user = std::nullopt);

    Removable removable(const std::string& root) const override;
    std::optional<std::string> eject(const std::string& root) override;

    // The service's objects now; nullopt when the service is not there; Failure when
    // it cannot be asked otherwise.
    std::optional<UdisksObjects> objects() const;

private:
    void call(const std::string& path, const char* interface, const char* method) const;

    QDBusConnection bus_;
    UnmountAlone unmount_alone_;
    std::uint32_t user_;
};

} // namespace kadoru
