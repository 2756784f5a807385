#include "app/main_layout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string_view>

namespace kadoru {
namespace {

bool is_list(ControlKind kind) {
    return kind != ControlKind::caption && kind != ControlKind::figure &&
           kind != ControlKind::button && kind != ControlKind::picture_button;
}

// What any window built from the table relies on: every name it is given exists
// once, every control lies in the client area, Tab reaches each control that takes
// input exactly once, and each list follows the caption that names it (Win32 names
// a control by the static text created just before it).
TEST(MainLayout, NamesEveryControlOnceAndHoldsTogether) {
    std::set<std::string_view> names;
    std::set<std::string_view> inputs;
    for (const auto& c : main_controls) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        EXPECT_GE(c.place.x, 0) << c.name;
        EXPECT_GE(c.place.y, 0) << c.name;
        EXPECT_LE(c.place.x + c.place.width, main_client_area.width) << c.name;
        EXPECT_LE(c.place.y + c.place.height, main_client_area.height) << c.name;
        if (c.kind != ControlKind::caption && c.kind != ControlKind::figure)
            inputs.insert(c.name);
        if (c.kind == ControlKind::button || c.kind == ControlKind::picture_button) {
            EXPECT_EQ(c.press == nullptr, c.name == main_cancel_button) << c.name;
        }
        if (is_list(c.kind)) {
            EXPECT_FALSE(caption_of(c.name).empty()) << c.name;
        }
    }
    EXPECT_EQ(std::set<std::string_view>(main_tab_order.begin(), main_tab_order.end()), inputs);
    EXPECT_EQ(main_tab_order.size(), inputs.size());
    for (const auto control : lock_order)
        EXPECT_EQ(inputs.count(locked_control_name(control)), 1U);
    EXPECT_EQ(inputs.count(main_default_button) + inputs.count(main_cancel_button), 2U);
    for (const auto& [caption, list] : main_captions) {
        const auto* at = std::find_if(main_controls.begin(), main_controls.end(),
                                      [&](const ControlLayout& c) { return c.name == list; });
        ASSERT_NE(at, main_controls.begin());
        EXPECT_EQ(std::prev(at)->name, caption) << list;
    }
}

} // namespace
} // namespace kadoru
