#pragma once

#include "platform/card_ejector.h"
#include "platform/failure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// A storage device's type and number, as IOCTL_STORAGE_GET_DEVICE_NUMBER gives them:
// a volume and the disk that holds it have the same.
struct StorageNumber {
    std::uint32_t type = 0;
    std::uint32_t number = 0;

    friend bool operator==(const StorageNumber&, const StorageNumber&) = default;
};

// A device of the disk interface and its device instance (DEVINST).
struct DiskDevice {
    StorageNumber number;
    std::uint32_t instance = 0;
};

// The answer to an eject request: the Configuration Manager's result (CONFIGRET, 0
// for success) and, for a refused request, the veto's type (PNP_VETO_TYPE) and name.
struct EjectAnswer {
    std::uint32_t result = 0;
    int veto = 0;
    std::string veto_name;
};

// The system calls that removing a drive makes, behind one seam: the request itself
// is not implemented in Wine (the process aborts), so the tests answer in its place.
class DeviceCalls {
public:
    virtual ~DeviceCalls() = default;
    // Whether the drive of a letter is one the system calls removable (a card).
    virtual bool removable_drive(std::string_view drive) = 0;
    // The volume of a drive letter ("e:"); nullopt when it cannot be asked.
    virtual std::optional<StorageNumber> volume_number(std::string_view drive) = 0;
    virtual std::vector<DiskDevice> disks() = 0;
    virtual std::optional<std::uint32_t> parent(std::uint32_t instance) = 0;
    virtual EjectAnswer request_eject(std::uint32_t instance) = 0;
};

// Removes the drive of a letter: its volume's number finds the disk, and the eject
// request goes to the disk's parent (the USB or card reader device), which takes
// every volume of the card with it. Throws Failure with the reason to show: the same
// words as on Linux for a busy drive and a removal the user may not make.
void remove_drive(DeviceCalls& calls, std::string_view drive);

// The failure a refused request means to the user.
Failure veto_failure(int veto, std::string_view veto_name);

// The real calls: SetupDi over the disk interface and the Configuration Manager.
// Under Wine the request is refused before it is made.
DeviceCalls& system_device_calls();

// Removes the card whose root folder ("e:\") it is given: removable drives only, and
// all at once (nothing is ever left half-removed).
class WindowsCardEjector final : public CardEjector {
public:
    explicit WindowsCardEjector(DeviceCalls& calls = system_device_calls()) : calls_(calls) {}
    Removable removable(const std::string& root) const override {
        return calls_.removable_drive(root.substr(0, 2)) ? Removable::yes : Removable::no;
    }
    std::optional<std::string> eject(const std::string& root) override {
        remove_drive(calls_, root.substr(0, 2));
        return std::nullopt;
    }

private:
    DeviceCalls& calls_;
};

} // namespace kadoru
