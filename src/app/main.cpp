#include "app/main_controller.h"
#include "app/main_view_model.h"
#include "app/settings_file.h"
#include "app/widgets/japanese_ui.h"
#include "app/widgets/kadoru10.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/steady_clock.h"
#include "platform/widgets/qt_event_pump.h"
#include "platform/widgets/qt_message_box.h"
#include "transfer/widgets/window_progress.h"

#include <filesystem>

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kadoru"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kadoru/kadoru.png")));
    QTranslator qt_japanese;
    kadoru::use_japanese_ui(app, qt_japanese);

    // Before start-up the lists show the drive and folder the program was started in.
    const auto drives = kadoru::system_drive_table();
    kadoru::PosixFileSystem fs;
    const std::string here = std::filesystem::current_path().string();
    kadoru::MainViewModel model(*drives, fs, drives->drive_of(here), here);

    kadoru::QtMessageBox messages;
    kadoru::QtEventPump events;
    kadoru::SteadyClock clock;
    kadoru::WindowProgress progress;
    kadoru::MainController controller(model, fs, *drives, messages, events, clock, progress);
    kadoru::Kadoru10 window(model, controller, messages);
    messages.set_parent(&window);

    controller.start_up(
        kadoru::settings_places(QCoreApplication::applicationDirPath().toStdString()));
    window.show();
    return QApplication::exec();
}
