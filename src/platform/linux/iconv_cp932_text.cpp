#include "platform/cp932_text.h"

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <type_traits>

namespace kadoru {

namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const noexcept { ::iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

} // namespace

std::optional<std::string> cp932_to_utf8(std::string_view bytes) {
    // glibc names Microsoft's table CP932; its 0x5C is the backslash, as Windows reads it.
    const Converter converter(::iconv_open("UTF-8", "CP932"));
    if (converter.get() == reinterpret_cast<iconv_t>(-1)) // NOLINT: iconv's own failure value
        return std::nullopt;
    std::string text(bytes.size() * 3 + 4, '\0'); // CP932 never takes more than 3 bytes of UTF-8
    char* in = const_cast<char*>(bytes.data());   // NOLINT: iconv does not write the input
    std::size_t in_left = bytes.size();
    char* out = text.data();
    std::size_t out_left = text.size();
    if (::iconv(converter.get(), &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1))
        return std::nullopt; // EILSEQ: not CP932; EINVAL: cut off in a character
    text.resize(text.size() - out_left);
    return text;
}

} // namespace kadoru
