// A second reference beside the floor: the least a Qt Widgets window costs, drawing no text at all.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return QApplication::exec();
}
