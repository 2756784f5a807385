#include "platform/windows/device_removal.h"

#include "platform/removal_reasons.h"

#include <algorithm>
#include <array>

namespace kadoru {

namespace {

// PNP_VETO_TYPE's values, which <cfgmgr32.h> numbers in this order.
constexpr std::array<std::string_view, 14> veto_names{"PNP_VetoTypeUnknown",
                                                      "PNP_VetoLegacyDevice",
                                                      "PNP_VetoPendingClose",
                                                      "PNP_VetoWindowsApp",
                                                      "PNP_VetoWindowsService",
                                                      "PNP_VetoOutstandingOpen",
                                                      "PNP_VetoDevice",
                                                      "PNP_VetoDriver",
                                                      "PNP_VetoIllegalDeviceRequest",
                                                      "PNP_VetoInsufficientPower",
                                                      "PNP_VetoNonDisableable",
                                                      "PNP_VetoLegacyDriver",
                                                      "PNP_VetoInsufficientRights",
                                                      "PNP_VetoAlreadyRemoved"};
constexpr int veto_pending_close = 2;
constexpr int veto_outstanding_open = 5;
constexpr int veto_insufficient_rights = 12;
constexpr int veto_already_removed = 13;

Failure not_removable() {
    return Failure(failure_code::device_unavailable,
                   "Windows が取り出せるドライブではありません。");
}

} // namespace

Failure veto_failure(int veto, std::string_view veto_name) {
    // An open file, a program or a service holding the drive: all "busy" to the user.
    if (veto >= veto_pending_close && veto <= veto_outstanding_open)
        return drive_busy_failure();
    if (veto == veto_insufficient_rights)
        return removal_denied_failure();
    std::string reason = veto >= 0 && veto < static_cast<int>(veto_names.size())
                             ? std::string(veto_names[static_cast<std::size_t>(veto)])
                             : std::to_string(veto);
    if (!veto_name.empty())
        reason += " (" + std::string(veto_name) + ")";
    return Failure(failure_code::path_file_access_error, "Windows のエラーです：" + reason);
}

void remove_drive(DeviceCalls& calls, std::string_view drive) {
    const auto number = calls.volume_number(drive);
    if (!number)
        throw not_removable();
    const auto disks = calls.disks();
    const auto disk = std::find_if(disks.begin(), disks.end(),
                                   [&](const DiskDevice& d) { return d.number == *number; });
    if (disk == disks.end())
        throw not_removable();
    const auto device = calls.parent(disk->instance);
    if (!device)
        throw not_removable();
    const EjectAnswer answer = calls.request_eject(*device);
    if (answer.veto == veto_already_removed)
        return;
    if (answer.veto != 0)
        throw veto_failure(answer.veto, answer.veto_name);
    if (answer.result != 0)
        throw Failure(failure_code::path_file_access_error,
                      "Windows のエラーです：CONFIGRET " + std::to_string(answer.result));
}

} // namespace kadoru
