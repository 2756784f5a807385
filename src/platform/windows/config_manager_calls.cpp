#include "platform/windows/device_removal.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_handles.h"
#include "platform/windows/windows_api.h"

#include <cfgmgr32.h>
#include <memory>
#include <setupapi.h>
#include <winioctl.h>

namespace kadoru {

namespace {

// GUID_DEVINTERFACE_DISK, spelt out: taking it from the SDK's headers needs INITGUID
// in exactly one file or uuid.lib, which collides with oleacc's.
constexpr GUID disk_interface{
    0x53f56307, 0xb6bf, 0x11d0, {0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b}};

struct DeviceListCloser {
    void operator()(HDEVINFO list) const noexcept { ::SetupDiDestroyDeviceInfoList(list); }
};
using UniqueDeviceList = std::unique_ptr<void, DeviceListCloser>;

std::optional<StorageNumber> number_of(const std::wstring& device_path) {
    // No access asked for: the number needs none, and a busy card still answers.
    const UniqueHandle device =
        adopt_handle(::CreateFileW(device_path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device)
        return std::nullopt;
    STORAGE_DEVICE_NUMBER number{};
    DWORD size = 0;
    if (!::DeviceIoControl(device.get(), IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number,
                           sizeof number, &size, nullptr))
        return std::nullopt;
    return StorageNumber{number.DeviceType, number.DeviceNumber};
}

// Wine has no Configuration Manager behind the request: the call aborts the process.
bool under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class ConfigManagerCalls final : public DeviceCalls {
public:
    bool removable_drive(std::string_view drive) override {
        return ::GetDriveTypeW((to_wide(drive) + L"\\").c_str()) == DRIVE_REMOVABLE;
    }

    std::optional<StorageNumber> volume_number(std::string_view drive) override {
        return number_of(L"\\\\.\\" + to_wide(drive));
    }

    std::vector<DiskDevice> disks() override {
        std::vector<DiskDevice> found;
        const UniqueDeviceList list(::SetupDiGetClassDevsW(&disk_interface, nullptr, nullptr,
                                                           DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
        if (list.get() == INVALID_HANDLE_VALUE)
            return found;
        SP_DEVICE_INTERFACE_DATA entry{};
        entry.cbSize = sizeof entry;
        for (DWORD i = 0;
             ::SetupDiEnumDeviceInterfaces(list.get(), nullptr, &disk_interface, i, &entry); ++i) {
            DWORD size = 0;
            ::SetupDiGetDeviceInterfaceDetailW(list.get(), &entry, nullptr, 0, &size, nullptr);
            if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
                continue;
            // The detail is a header followed by the path: storage of its reported size.
            std::vector<DWORD> storage(size / sizeof(DWORD) + 1);
            auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
            detail->cbSize = sizeof *detail;
            SP_DEVINFO_DATA device{};
            device.cbSize = sizeof device;
            if (!::SetupDiGetDeviceInterfaceDetailW(list.get(), &entry, detail, size, nullptr,
                                                    &device))
                continue;
            if (const auto number = number_of(detail->DevicePath))
                found.push_back({*number, device.DevInst});
        }
        return found;
    }

    std::optional<std::uint32_t> parent(std::uint32_t instance) override {
        DEVINST above = 0;
        if (::CM_Get_Parent(&above, instance, 0) != CR_SUCCESS)
            return std::nullopt;
        return above;
    }

    EjectAnswer request_eject(std::uint32_t instance) override {
        if (under_wine())
            throw Failure(failure_code::device_unavailable, "Wine ではドライブを取り出せません。");
        PNP_VETO_TYPE veto = PNP_VetoTypeUnknown;
        std::wstring name(MAX_PATH, L'\0');
        const CONFIGRET result =
            ::CM_Request_Device_EjectW(instance, &veto, name.data(), MAX_PATH, 0);
        name.resize(name.find(L'\0'));
        return {static_cast<std::uint32_t>(result), static_cast<int>(veto), to_utf8(name)};
    }
};

} // namespace

DeviceCalls& system_device_calls() {
    // Holds no state, so one object serves every caller.
    static ConfigManagerCalls calls;
    return calls;
}

} // namespace kadoru
