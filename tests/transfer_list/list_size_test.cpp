#include "platform/label.h"
#include "transfer_list/list_size.h"
#include "transfer_list/transfer_list.h"

#include <gtest/gtest.h>

namespace kadoru {
namespace {

TEST(ListSize, EmptyListShowsZeroKilobytes) {
    TransferList list;
    double total = 123;
    Label label7;
    list_size(list, total, label7);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(label7.text(), "0KB");
}

TEST(ListSize, SumsTheSizeTextsAndShowsTheTotal) {
    TransferList list;
    list.append({"a.mp3", "/m/a.mp3", "1000000"});
    list.append({"b.mp3", "/m/b.mp3", "0"});
    list.append({"c.mp3", "/m/c.mp3", "234567"});
    list.append({"big.mp3", "/m/big.mp3", "9007199254740993"});
    list.remove_at(3);
    double total = 0;
    Label label7;
    list_size(list, total, label7);
    EXPECT_EQ(total, 1234567);
    EXPECT_EQ(label7.text(), "1.23MB");
}

TEST(ListSize, ASizeTextThatIsNoNumberCountsAsNothing) {
    TransferList list;
    list.append({"a.mp3", "/m/a.mp3", "2000"});
    for (const char* text : {"", "x12", "-"})
        list.append({"b.mp3", "/m/b.mp3", text});
    double total = 0;
    Label label7;
    list_size(list, total, label7);
    EXPECT_EQ(total, 2000);
    EXPECT_EQ(label7.text(), "2KB");
}

} // namespace
} // namespace kadoru
