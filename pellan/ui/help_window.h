#pragma once

#include <QWidget>

class QFrame;
class QPlainTextEdit;
class QPushButton;

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

private Q_SLOTS:
    void CloseHelpClick();

private:
    QFrame* Bevel1;
    QPlainTextEdit* Memo1;
    QPushButton* CloseHelp;
};
