// InfoWindow: the small info window the calculator's "About" opens; a click on it, or Escape, hides it.
#pragma once

#include <QWidget>

class QLabel;

namespace korvane {

class InfoWindow : public QWidget {
    Q_OBJECT
public:
    explicit InfoWindow(QWidget* parent = nullptr);
    void hideInfo();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* clickCover = nullptr;
};

}  // namespace korvane
