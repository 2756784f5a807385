#pragma once

#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kadoru::test {

// A clock that moves only when the code sleeps or the test advances it.
class FakeClock final : public Clock {
public:
    time_point now() const override { return now_; }
    void sleep(std::chrono::milliseconds duration) override {
        sleeps.push_back(duration);
        now_ += duration;
    }
    void advance(std::chrono::steady_clock::duration d) { now_ += d; }

    std::vector<std::chrono::milliseconds> sleeps;

private:
    time_point now_{std::chrono::hours(1000)};
};

// Records every message box and answers from a queue (ok when it runs dry).
class ScriptedMessageBox final : public MessageBox {
public:
    struct Shown {
        std::string text;
        std::string title;
        Buttons buttons;
    };

    std::deque<Answer> answers;
    std::vector<Shown> shown;
    // Runs while a box is up, to look at the state the user sees then.
    std::function<void(const Shown&)> while_shown;

    Answer show(std::string_view text, std::string_view title, Buttons buttons) override {
        shown.push_back({std::string(text), std::string(title), buttons});
        if (while_shown)
            while_shown(shown.back());
        if (answers.empty())
            return buttons == Buttons::ok       ? Answer::ok
                   : buttons == Buttons::yes_no ? Answer::no
                                                : Answer::cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& s : shown)
            result.push_back(s.text);
        return result;
    }
};

// Counts the points where pending events may run, and can play a user's action there.
class FakeEventPump final : public EventPump {
public:
    int calls = 0;
    std::function<void(int call)> on_pump;

    void process_events() override {
        ++calls;
        if (on_pump)
            on_pump(calls);
    }
};

} // namespace kadoru::test
