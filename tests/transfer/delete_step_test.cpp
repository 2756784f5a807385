#include "platform/paths.h"
#include "transfer/delete_step.h"

#include <gtest/gtest.h>

namespace kadoru {
namespace {

struct SuffixCase {
    const char* name;
    const char* type;
    bool matches;
};
std::ostream& operator<<(std::ostream& os, const SuffixCase& c) {
    return os << c.name << " ~ " << c.type;
}

class TypeSuffix : public ::testing::TestWithParam<SuffixCase> {};

TEST_P(TypeSuffix, ComparesTheLastThreeCharactersInUpperCase) {
    EXPECT_EQ(has_type_suffix(GetParam().name, GetParam().type), GetParam().matches)
        << GetParam().name << " ~ " << GetParam().type;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypeSuffix,
    ::testing::Values(SuffixCase{"a.mp3", "MP3", true}, SuffixCase{"B.MP3", "MP3", true},
                      SuffixCase{"xmp3", "MP3", true}, SuffixCase{"mp3", "MP3", true},
                      SuffixCase{"a.wma", "MP3", false}, SuffixCase{"p3", "MP3", false},
                      SuffixCase{"", "MP3", false}, SuffixCase{"a.mp3.txt", "MP3", false},
                      SuffixCase{"a.mp3", "mp3", false}, // the type text is compared as is
                      SuffixCase{"a.Wav", "WAV", true}, SuffixCase{"曲.wma", "WMA", true},
                      SuffixCase{"曲ma", "WMA", false},
                      // Three characters, not three bytes.
                      SuffixCase{"歌の曲", "歌の曲", true}, SuffixCase{"x歌の曲", "の曲", false},
                      SuffixCase{"ab曲", "AB曲", true}));

} // namespace
} // namespace kadoru
