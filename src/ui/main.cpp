// The game program: start-up in the current directory (the start folder), then the windows.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>

#include <filesystem>

#include "core/game_model.h"
#include "ui/app.h"
#include "ui/main_form.h"
#include "ui/text.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tq::ui::InitialiseApplication();

    // The settings file and the dictionary come before any window; without a dictionary the
    // program ends with its message and no window.
    tq::GameModel model;
    const tq::StartUpResult started = tq::StartUp(model, std::filesystem::current_path());
    if (!started.ok) {
        QMessageBox box(QMessageBox::Critical, "Tessaroon", tq::ui::ToQString(started.message),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }

    tq::ui::TMainForm window(model);
    window.show();
    // Centred on the screen at start.
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        window.move(area.left() + (area.width() - frame.width()) / 2,
                    area.top() + (area.height() - frame.height()) / 2);
    }
    window.activateWindow();
    return app.exec();
}
