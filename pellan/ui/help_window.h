#pragma once
// How to use the solver window, with a button that closes it.

#include <QWidget>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace pellan {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

private:
    QFrame* bevel = nullptr;
    QPlainTextEdit* helpText = nullptr;
    QPushButton* doneButton = nullptr;
};

}  // namespace pellan
