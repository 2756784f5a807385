#pragma once

#include "platform/windows/windows_api.h"

#include <memory>

namespace kadoru {

// An open file's handle, closed when it goes. CreateFileW fails with
// INVALID_HANDLE_VALUE, which this never holds.
struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

inline UniqueHandle adopt_handle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// A directory search's handle, closed when it goes.
struct FindCloser {
    void operator()(HANDLE handle) const noexcept { ::FindClose(handle); }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

} // namespace kadoru
