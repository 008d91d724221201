// The floor every start-up and memory figure is compared with: one line of text, so that the font
// set-up every program with a caption needs is in it too.
#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(u"Pellan"_s);
    window.show();
    return QApplication::exec();
}
