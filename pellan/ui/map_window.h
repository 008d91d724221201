#pragma once
// The map of the Underworld, with a button that closes it.

#include <QWidget>

class QLabel;
class QPushButton;

namespace pellan {

class MapWindow : public QWidget {
    Q_OBJECT
public:
    explicit MapWindow(QWidget* parent = nullptr);

private:
    QLabel* mapPicture = nullptr;
    QPushButton* doneButton = nullptr;
};

}  // namespace pellan
