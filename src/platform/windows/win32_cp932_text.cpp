#include "platform/cp932_text.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"

namespace kadoru {

std::optional<std::string> cp932_to_utf8(std::string_view bytes) {
    if (bytes.empty())
        return std::string{};
    // Refusing invalid bytes rather than mapping them to a default character, so that
    // text that is not CP932 is told apart.
    const int size = static_cast<int>(bytes.size());
    const int length =
        ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return to_utf8(wide);
}

} // namespace kadoru
