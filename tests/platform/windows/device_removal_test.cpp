#include "platform/message_box.h"
#include "platform/udisks_plan.h"
#include "platform/windows/device_removal.h"

#include <gtest/gtest.h>

namespace kadoru {
namespace {

// A machine of two disks: the card in e: is disk 2, whose parent is the card
// reader 30. The stand-in answers the request as the test says and keeps what it was
// asked to remove: the real request must never run under Wine.
class StandInDevices final : public DeviceCalls {
public:
    bool removable_drive(std::string_view drive) override { return drive == "e:"; }
    std::optional<StorageNumber> volume_number(std::string_view drive) override {
        if (drive == "e:")
            return StorageNumber{7, 2};
        return std::nullopt;
    }
    std::vector<DiskDevice> disks() override { return {{{7, 1}, 10}, {{7, 2}, 20}}; }
    std::optional<std::uint32_t> parent(std::uint32_t instance) override {
        if (instance == 20)
            return 30;
        return std::nullopt;
    }
    EjectAnswer request_eject(std::uint32_t instance) override {
        requested.push_back(instance);
        return answer;
    }

    EjectAnswer answer;
    std::vector<std::uint32_t> requested;
};

std::string removal_message(const Failure& failure) {
    return failure_message(failure.on_drive("e:"), Telling::removal);
}

std::string message_of(StandInDevices& devices, std::string_view drive) {
    try {
        WindowsCardEjector(devices).eject(std::string(drive) + "\\");
    } catch (const Failure& failure) {
        return removal_message(failure);
    }
    return {};
}

TEST(DriveRemoval, AsksTheCardsDiskParentOnceAndIsDone) {
    StandInDevices devices;
    EXPECT_EQ(message_of(devices, "e:"), "");
    EXPECT_EQ(devices.requested, std::vector<std::uint32_t>{30});
}

// A veto tells the reason in the words the Linux ejector uses for the same reason.
TEST(DriveRemoval, TellsTheVetosReason) {
    const std::string busy =
        removal_message(eject_failure("org.freedesktop.UDisks2.Error.DeviceBusy"));
    const struct {
        int veto;
        std::string message;
    } vetoes[] = {
        {2 /* pending close */, busy},
        {3 /* a program */, busy},
        {5 /* an open file */, busy},
        {12 /* rights */,
         removal_message(eject_failure("org.freedesktop.DBus.Error.AccessDenied"))},
        {6 /* a device */, removal_message(veto_failure(6, "USB\\VID_1"))},
        {13 /* already gone */, ""},
    };
    for (const auto& [veto, message] : vetoes) {
        StandInDevices devices;
        devices.answer = {23 /* CR_REMOVE_VETOED */, veto, "USB\\VID_1"};
        EXPECT_EQ(message_of(devices, "e:"), message) << veto;
    }
    EXPECT_NE(removal_message(veto_failure(6, "USB\\VID_1")).find("PNP_VetoDevice (USB\\VID_1)"),
              std::string::npos);
}

// Only a removable drive is offered, and one the devices do not know of is refused
// before any request.
TEST(DriveRemoval, RefusesADriveOfNoRemovableDevice) {
    StandInDevices devices;
    EXPECT_EQ(WindowsCardEjector(devices).removable("e:\\"), Removable::yes);
    EXPECT_EQ(WindowsCardEjector(devices).removable("f:\\"), Removable::no);
    const std::string message = message_of(devices, "f:");
    EXPECT_NE(message.find("Windows が取り出せるドライブではありません。"), std::string::npos);
    EXPECT_TRUE(devices.requested.empty());
}

} // namespace
} // namespace kadoru
