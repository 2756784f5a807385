#include "transfer_list/format_size.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace kadoru {
namespace {

struct SizeCase {
    double bytes;
    const char* text;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << static_cast<long long>(c.bytes) << " bytes";
}

class FormatSize : public testing::TestWithParam<SizeCase> {};

TEST_P(FormatSize, WritesTheUnitAndTwoDecimalsAtMost) {
    EXPECT_EQ(format_size(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, FormatSize,
                         testing::Values(
                             // kilobytes: whole, rounded down, decimal units
                             SizeCase{0, "0KB"}, SizeCase{999, "0KB"}, SizeCase{1000, "1KB"},
                             SizeCase{12345, "12KB"}, SizeCase{999999, "999KB"},
                             // megabytes: unit chosen from k before rounding
                             SizeCase{1000000, "1MB"}, SizeCase{1234567, "1.23MB"},
                             SizeCase{1500000, "1.5MB"}, SizeCase{1999999, "2MB"},
                             SizeCase{999999999, "1000MB"},
                             // gigabytes
                             SizeCase{1000000000, "1GB"}, SizeCase{1500000000, "1.5GB"},
                             SizeCase{2147483648.0, "2.15GB"}, SizeCase{4700000000.0, "4.7GB"},
                             // ties: 1.005 is 1.00499.. in double, x100 = 100.49999.. -> 1; 1.015 x
                             // 100 = 101.49999.. -> 1.01
                             SizeCase{1005000, "1MB"}, SizeCase{1015000, "1.01MB"},
                             // exact halves go to the even neighbour: 1.125 -> 1.12, 1.375 -> 1.38
                             SizeCase{1125000, "1.12MB"}, SizeCase{1375000, "1.38MB"},
                             SizeCase{2625000, "2.62MB"},
                             // no separators or exponent for large figures
                             SizeCase{123456789000000.0, "123456.79GB"}));

} // namespace
} // namespace kadoru
