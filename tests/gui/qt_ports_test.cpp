#include "platform/widgets/qt_event_pump.h"
#include "platform/widgets/qt_message_box.h"

#include <functional>
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace kadoru {
namespace {

// What the test saw of the box while it was up, before it answered as the user.
struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton default_button = QMessageBox::NoButton;
};

// Answers the next modal box once the event loop runs it, without waiting on the clock.
void answer_next_box(Seen& seen, const std::function<void(QMessageBox&)>& answer) {
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                box->standardButton(box->defaultButton())};
        answer(*box);
    });
}

struct BoxCase {
    const char* name;
    Buttons buttons;
    std::function<void(QMessageBox&)> answer;
    Answer expected;
};

class MessageBoxAnswers : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxAnswers, ShowsTheTextWithoutAnIconAndGivesTheAnswer) {
    QtMessageBox port;
    Seen seen;
    answer_next_box(seen, GetParam().answer);
    EXPECT_EQ(port.show("ドライブa:の準備が出来ていません", "題", GetParam().buttons),
              GetParam().expected);
    EXPECT_EQ(seen.title, QStringLiteral("題"));
    EXPECT_EQ(seen.text, QStringLiteral("ドライブa:の準備が出来ていません"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    if (GetParam().buttons == Buttons::ok) {
        EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    } else if (GetParam().buttons == Buttons::yes_no) { // asked where a song may be lost
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(seen.default_button, QMessageBox::No);
    } else {
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(seen.default_button, QMessageBox::Yes);
    }
}

void click(QMessageBox& box, QMessageBox::StandardButton which) {
    box.button(which)->click();
}

INSTANTIATE_TEST_SUITE_P(
    Table, MessageBoxAnswers,
    ::testing::Values(
        BoxCase{"Ok", Buttons::ok, [](QMessageBox& b) { click(b, QMessageBox::Ok); }, Answer::ok},
        BoxCase{"OkClosed", Buttons::ok, [](QMessageBox& b) { b.close(); }, Answer::ok},
        BoxCase{"Yes", Buttons::yes_no_cancel, [](QMessageBox& b) { click(b, QMessageBox::Yes); },
                Answer::yes},
        BoxCase{"No", Buttons::yes_no_cancel, [](QMessageBox& b) { click(b, QMessageBox::No); },
                Answer::no},
        BoxCase{"Cancel", Buttons::yes_no_cancel,
                [](QMessageBox& b) { click(b, QMessageBox::Cancel); }, Answer::cancel},
        BoxCase{"ClosedIsCancel", Buttons::yes_no_cancel, [](QMessageBox& b) { b.close(); },
                Answer::cancel},
        BoxCase{"YesNoClosedIsNo", Buttons::yes_no, [](QMessageBox& b) { b.close(); }, Answer::no}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EventPump, DeliversWhatIsPendingAndReturns) {
    QtEventPump pump;
    int delivered = 0;
    QTimer::singleShot(0, [&] { ++delivered; });
    pump.process_events();
    EXPECT_EQ(delivered, 1);
}

} // namespace
} // namespace kadoru
