#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class TUnderworldMap : public QWidget {
    Q_OBJECT
public:
    explicit TUnderworldMap(QWidget* parent = nullptr);

private Q_SLOTS:
    void DoneMapClick();

private:
    QLabel* Image1;
    QPushButton* DoneMap;
};
