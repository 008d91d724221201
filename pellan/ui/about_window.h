#pragma once
// Who wrote the program and whom it thanks, with the author's guild salute below the button.

#include <QWidget>

class QFrame;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace pellan {

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createCredits();
    void createSalute();

    QFrame* outerBevel = nullptr;
    QFrame* innerBevel = nullptr;
    QPlainTextEdit* creditsText = nullptr;
    QTextEdit* saluteText = nullptr;
    QPushButton* doneButton = nullptr;
};

}  // namespace pellan
