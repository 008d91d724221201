// Prints how sharp pellan's star and map are at the screen's scale, each against its 1x picture enlarged with
// a smooth filter, as "scale star map"; writes what the solver window shows of the star into the file given.
//   QT_SCALE_FACTOR=1.5 pellan_sharpness [star.png]
#include "map_window.h"
#include "pellan_app.h"
#include "sharpness.h"
#include "solver_window.h"

#include <QApplication>
#include <QImage>
#include <QLabel>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

sharpness::ShownPicture measure(QWidget& window, const QString& original)
{
    window.show();
    QApplication::processEvents();
    return sharpness::shownPicture(*window.findChild<QLabel*>(u"Image1"_s), QImage(original));
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc > 2) {
        std::fprintf(stderr, "usage: pellan_sharpness [star.png]\n");
        return 2;
    }
    const pellan::PellanApp program;
    const sharpness::ShownPicture star = measure(program.solverWindow(), u":/assets/star.bmp"_s);
    const sharpness::ShownPicture map = measure(program.mapWindow(), u":/assets/underworld.bmp"_s);
    std::printf("%.2f %.3f %.3f\n", program.solverWindow().devicePixelRatioF(), sharpness::sharpnessRatio(star),
                sharpness::sharpnessRatio(map));
    if (argc == 2 && !star.shown.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
