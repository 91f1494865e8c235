#include "io/AppFolder.h"

#include <QApplication>
#include <QLocale>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kestrava - Редактор сценария"));
    window.showMaximized();
    return app.exec();
}
