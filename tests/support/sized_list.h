#pragma once

#include "platform/label.h"
#include "transfer_list/transfer_list.h"

#include <string>
#include <vector>

namespace kadoru::test {

// The transfer list with the total and the label that its size goes to.
struct SizedList {
    TransferList list2;
    double total_size = -1;
    Label label7;

    // One field of every row, in list order.
    std::vector<std::string> column(std::string TransferEntry::*field) const {
        std::vector<std::string> result;
        for (int i = 0; i < list2.count(); ++i)
            result.push_back(list2.row(i).*field);
        return result;
    }
};

} // namespace kadoru::test
