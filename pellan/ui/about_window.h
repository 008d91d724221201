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

    QFrame* outerBevel_ = nullptr;
    QFrame* innerBevel_ = nullptr;
    QPlainTextEdit* creditsText_ = nullptr;
    QTextEdit* saluteText_ = nullptr;
    QPushButton* doneButton_ = nullptr;
};

}  // namespace pellan
