// The game program: start-up in the current directory (the start folder), then the windows.

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMessageBox>

#include "core/game_model.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessaroon");

    tq::GameModel model;
    const tq::StartUpResult started = tq::StartUp(model, QDir::currentPath().toStdString());
    if (!started.ok) {
        QMessageBox box(QMessageBox::Critical, "Tessaroon",
                        QString::fromLocal8Bit(started.message.c_str()), QMessageBox::Ok);
        box.exec();
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle("Tessaroon 2.1");
    window.setFixedSize(627, 364);
    window.show();
    return app.exec();
}
