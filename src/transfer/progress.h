#pragma once

#include "platform/place.h"

#include <algorithm>
#include <cmath>

namespace kadoru {

// The progress window "status" as data, for every window: its client area on the
// screen, then its text's and its bar's places (title and text: window_texts.h).
inline constexpr Place progress_client_area{235, 258, 312, 73};
inline constexpr Place progress_text_place{16, 16, 281, 17};
inline constexpr Place progress_bar_place{8, 40, 297, 17};

// A window's bar takes whole numbers: it runs from 0 to this many steps, and the part
// filled is drawn at that resolution.
inline constexpr int progress_bar_steps = 10000;

// The part of the bar a window fills, 0 to 1, for Value between Min and Max: none
// for an empty or reversed span, never beyond either end.
constexpr float progress_fraction(float min, float max, float value) {
    const float span = max - min;
    return span > 0 ? std::clamp((value - min) / span, 0.0F, 1.0F) : 0.0F;
}

// The progress window as the transfer run uses it. The window is created the first
// time it is shown and kept, hidden, between runs. Min, Max and Value are
// single-precision, as the bar's properties are.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool is_shown() const = 0;
    virtual void set_min(float min) = 0;
    virtual void set_max(float max) = 0;
    virtual float value() const = 0;
    virtual void set_value(float value) = 0;
};

// The progress port of a window with a bar: Min, Max and Value kept as the run set
// them, and the bar drawn anew from them on every change.
class BarProgress : public Progress {
public:
    void set_min(float min) final {
        min_ = min;
        redraw();
    }
    void set_max(float max) final {
        max_ = max;
        redraw();
    }
    float value() const final { return value_; }
    void set_value(float value) final {
        value_ = value;
        redraw();
    }

protected:
    // Draws the bar as Min, Max and Value have it now (a window made only now).
    void redraw() const {
        draw_bar(static_cast<int>(
            std::lround(progress_fraction(min_, max_, value_) * progress_bar_steps)));
    }

private:
    // Fills the bar to this many of its steps; nothing while there is no window.
    virtual void draw_bar(int steps) const = 0;

    float min_ = 0;
    float max_ = 100;
    float value_ = 0;
};

} // namespace kadoru
