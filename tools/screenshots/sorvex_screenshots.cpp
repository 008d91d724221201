// Writes a picture of each dialog, as it first opens on an empty store, into the folder named on the
// command line.
#include "about_dialog.h"
#include "character_names_dialog.h"
#include "confirm_clear_dialog.h"
#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "window_fonts.h"
#include "window_picture.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Keeps the user's own characters out of the pictures, and the pictures out of the store.
    QTemporaryDir store;
    if (!store.isValid() || !qputenv("XDG_CONFIG_HOME", store.path().toLocal8Bit())) {
        std::fprintf(stderr, "cannot make a temporary store\n");
        return 1;
    }
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: sorvex_screenshots <folder>\n");
        return 2;
    }
    quendrith::setUpFonts();
    QApplication::setWindowIcon(sorvex::applicationIcon());
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    sorvex::ConverterDialog main;
    main.show();
    QApplication::processEvents();

    sorvex::CharacterNamesDialog names(&main);
    std::array<QString, 3> current;
    for (std::size_t i = 0; i < current.size(); ++i)
        current[i] = QString::fromStdString(main.playerNames()[i]);
    names.setNames(current);
    sorvex::ConfirmClearDialog confirm(&main);
    sorvex::AboutDialog about(&main);

    int failures = 0;
    for (QWidget* dialog : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&names),
                            static_cast<QWidget*>(&confirm), static_cast<QWidget*>(&about)}) {
        if (!writeWindowPicture(*dialog, folder))
            ++failures;
        if (dialog != &main)
            dialog->hide();
    }
    return failures == 0 ? 0 : 1;
}
