// The program's start-up: the dialogs' fonts and icon, then, once the event loop runs, one modal run of the main
// dialog, which ends the event loop whatever its result.
#pragma once

#include <QObject>

#include <memory>

namespace sorvex {

class ConverterApp : public QObject {
    Q_OBJECT
public:
    // The program itself; the main dialog runs from the event loop while the result lives.
    [[nodiscard]] static std::unique_ptr<ConverterApp> start();

private:
    ConverterApp();
    void runMainDialog();
};

}  // namespace sorvex
