#include "transfer_list/list_size.h"

#include "platform/label.h"
#include "transfer_list/format_size.h"
#include "transfer_list/transfer_list.h"

#include <string>

namespace kadoru {

void list_size(const TransferList& list, double& total_size, Label& label7) {
    total_size = 0;
    for (int i = 0; i < list.count(); ++i)
        total_size += std::stod(list.row(i).size_text);
    label7.set_text(format_size(total_size));
}

} // namespace kadoru
