// The notice at a run's end: the balloon's text.
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_desktop_notice.h"
#include "platform/windows/windows_api.h"

#include <gtest/gtest.h>
#include <string>

namespace kadoru {
namespace {

// The balloon holds 255 characters: a longer text is cut, and never inside a
// character that takes two UTF-16 units.
TEST(RunEndBalloon, HoldsTheTextCutBeforeAWholeCharacter) {
    const std::string message = "転送が終了しました。";
    EXPECT_EQ(std::wstring(balloon_of(nullptr, nullptr, message).szInfo), to_wide(message));

    const std::string long_text = std::string(254, 'a') + "🎵" + "b";
    const std::wstring cut = balloon_of(nullptr, nullptr, long_text).szInfo;
    EXPECT_EQ(cut, std::wstring(254, L'a'));
}

} // namespace
} // namespace kadoru
