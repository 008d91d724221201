// The program's start-up: the fonts, then the calculator window, shown. Closing it ends the event loop.
#pragma once

#include <QObject>

#include <memory>

namespace korvane {

class CalculatorWindow;

class KorvaneApp : public QObject {
    Q_OBJECT
public:
    ~KorvaneApp() override;

    // The program itself: the calculator lives as long as the result.
    [[nodiscard]] static std::unique_ptr<KorvaneApp> start();

    [[nodiscard]] CalculatorWindow& calculatorWindow() const { return *calculator; }

private:
    KorvaneApp();

    std::unique_ptr<CalculatorWindow> calculator;
};

}  // namespace korvane
