#include "app/main_program.h"
#include "app/settings_file.h"
#include "app/widgets/japanese_ui.h"
#include "app/widgets/kadoru10.h"
#include "platform/song_details_cache.h"
#include "platform/system_services.h"
#include "platform/widgets/qt_event_pump.h"
#include "platform/widgets/qt_message_box.h"
#include "transfer/widgets/window_progress.h"

#include <QApplication>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kadoru"));
    // The menu entry's name: on Wayland the desktop finds the window's entry and icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kadoru.Kadoru"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kadoru/kadoru.png")));
    QTranslator qt_japanese;
    kadoru::use_japanese_ui(app, qt_japanese);

    // Before start-up the lists show the drive and folder the program was started in.
    QPointer<QWidget> shown;
    const auto system =
        kadoru::system_services({[&shown] { return shown && shown->isActiveWindow(); }, {}});
    kadoru::FileSystem& fs = *system.files;
    kadoru::QtMessageBox messages;
    kadoru::QtEventPump events;
    kadoru::WindowProgress progress;
    kadoru::SongDetailsCache songs(fs, *system.tags);
    kadoru::MainProgram program({*system.drives, fs, messages, events, *system.clock, progress,
                                 songs, *system.ejector, *system.notice},
                                system.working_folder);
    kadoru::Kadoru10 window(program.model, program.controller, messages);
    messages.set_parent(&window);
    // Close ends the program even while the run holds back the user's input.
    events.let_input_reach(window.findChild<QWidget*>(QStringLiteral("b_cancel")));
    shown = &window;
    window.show_song_details(songs);

    program.controller.start_up(
        kadoru::settings_places(QCoreApplication::applicationDirPath().toStdString()));
    window.show();
    return QApplication::exec();
}
