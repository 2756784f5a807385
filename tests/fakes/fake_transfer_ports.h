#pragma once

#include "transfer/control_lock.h"
#include "transfer/progress.h"

#include <array>
#include <functional>
#include <string>

namespace kadoru::test {

// The progress window as a record of what the run did to it. Each change is also
// told to on_change ("show", "hide", "min 0", "max 5", "value 2"), so a test can
// put it in one journal with the other ports.
class FakeProgress final : public Progress {
public:
    bool created = false;
    bool shown = false;
    int shows = 0;
    float min = 0;
    float max = 100;
    float current = 0;
    std::function<void(const std::string&)> on_change;

    // The user closes the window with its title-bar button.
    void close_by_user() { shown = false; }

    void show() override {
        created = true;
        shown = true;
        ++shows;
        tell("show");
    }
    void hide() override {
        shown = false;
        tell("hide");
    }
    bool is_shown() const override { return shown; }
    void set_min(float v) override {
        min = v;
        tell("min " + number(v));
    }
    void set_max(float v) override {
        max = v;
        tell("max " + number(v));
    }
    float value() const override { return current; }
    void set_value(float v) override {
        current = v;
        tell("value " + number(v));
    }

private:
    static std::string number(float v) { return std::to_string(static_cast<long long>(v)); }
    void tell(const std::string& what) const {
        if (on_change)
            on_change(what);
    }
};

// The enabled state of the thirteen locked controls, with every switch told to on_change.
class FakeControls final : public ControlSwitch {
public:
    FakeControls() { enabled.fill(true); }

    std::array<bool, lock_order.size()> enabled{};
    int switches = 0;
    std::function<void(LockedControl, bool)> on_change;

    void set_enabled(LockedControl control, bool on) override {
        enabled[static_cast<std::size_t>(control)] = on;
        ++switches;
        if (on_change)
            on_change(control, on);
    }
    bool all(bool on) const {
        for (const bool e : enabled)
            if (e != on)
                return false;
        return true;
    }
};

} // namespace kadoru::test
