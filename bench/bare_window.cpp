// The floor every start-up and memory figure is compared with: the least a Qt Widgets window costs.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return QApplication::exec();
}
