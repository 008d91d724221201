// The application object: start-up, one modal run of the main dialog, end.
#pragma once

#include <QApplication>

namespace sorvex {

class ConverterApp : public QApplication {
    Q_OBJECT
public:
    ConverterApp(int& argc, char** argv);

    // Runs the main dialog; returns the process's exit status.
    int run();
};

}  // namespace sorvex
