// The notice at a run's end under Wine's null display driver: the balloon's text, and
// a window behind another flashes without failing where there is no tray.
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"
#include "win32/win32_desktop_notice.h"

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

TEST(RunEndNotice, FlashesAWindowThatIsNotInFront) {
    const auto window = ::CreateWindowExW(0, L"STATIC", L"Kadoru", WS_POPUP, 0, 0, 100, 100,
                                          nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(::GetForegroundWindow(), window);
    {
        Win32DesktopNotice notice;
        notice.post("before the window: nothing to flash");
        notice.set_window(window);
        notice.post("転送が終了しました。");
        notice.post("a second notice replaces the first");
    }
    ::DestroyWindow(window);
}

} // namespace
} // namespace kadoru
