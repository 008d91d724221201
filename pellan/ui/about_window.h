#pragma once

#include <QWidget>

class QFrame;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private Q_SLOTS:
    void Button1Click();

private:
    QFrame* Bevel1;
    QFrame* Bevel2;
    QPlainTextEdit* AboutIt;
    QTextEdit* Memo1;
    QPushButton* Button1;
};
