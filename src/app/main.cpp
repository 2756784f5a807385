#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    const QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kadoru"));
    window.setFixedSize(488, 400);
    window.show();
    return QApplication::exec();
}
