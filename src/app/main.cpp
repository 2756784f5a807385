#include "app/japanese_ui.h"
#include "app/kadoru10.h"
#include "app/main_view_model.h"
#include "app/stand_in.h"
#include "platform/drive_table.h"
#include "platform/posix_file_system.h"
#include "platform/widgets/qt_message_box.h"

#include <filesystem>

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kadoru"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kadoru/kadoru.png")));
    QTranslator qt_japanese;
    kadoru::use_japanese_ui(app, qt_japanese);

    const auto drives = kadoru::system_drive_table();
    const kadoru::PosixFileSystem fs;
    const std::string here = std::filesystem::current_path().string();
    kadoru::MainViewModel model(*drives, fs, drives->drive_of(here), here);
    kadoru::StandInActions actions;
    kadoru::connect_stand_in_lists(model);

    kadoru::QtMessageBox errors;
    kadoru::Kadoru10 window(model, actions, errors);
    errors.set_parent(&window);
    window.show();
    return QApplication::exec();
}
