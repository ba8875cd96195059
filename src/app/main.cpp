#include "library/AppFolder.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    const std::string appFolder = zolvera::library::findApplicationFolder();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolvera"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Zolvera"));
    window.resize(776, 541);
    window.show();
    return QApplication::exec();
}
