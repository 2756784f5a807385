#include "transfer_list/list_size.h"

#include "platform/label.h"
#include "transfer_list/format_size.h"
#include "transfer_list/transfer_list.h"

#include <charconv>

namespace kadoru {

void list_size(const TransferList& list, double& total_size, Label& label7) {
    total_size = 0;
    for (int i = 0; i < list.count(); ++i)
        total_size += size_in_bytes(list.row(i).size_text);
    label7.set_text(format_size(total_size));
}

double size_in_bytes(std::string_view size_text) {
    double bytes = 0;
    const auto [end, error] =
        std::from_chars(size_text.data(), size_text.data() + size_text.size(), bytes);
    return error == std::errc() ? bytes : 0;
}

} // namespace kadoru
