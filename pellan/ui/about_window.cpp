#include "about_window.h"

#include "fonts.h"
#include "accessibility.h"
#include "window_frame.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>

using namespace Qt::StringLiterals;

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    pellan::installAccessibleInterfaces();
    setObjectName(u"Form1"_s);
    setWindowTitle(u"About Pellan 95"_s);
    pellan::setupFixedWindow(*this, QRect(262, 140, 369, 381));

    Bevel1 = pellan::makeBevel(this, "Bevel1", QRect(8, 8, 353, 297));
    Bevel2 = pellan::makeBevel(this, "Bevel2", QRect(24, 24, 321, 265));

    AboutIt = new QPlainTextEdit(this);
    AboutIt->setObjectName(u"AboutIt"_s);
    AboutIt->setAccessibleName(u"Credits"_s);
    AboutIt->setReadOnly(true);
    AboutIt->setFocusPolicy(Qt::NoFocus);
    AboutIt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AboutIt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AboutIt->document()->setDocumentMargin(2);
    QPalette credits = AboutIt->palette();
    credits.setColor(QPalette::Base, credits.color(QPalette::Button));
    AboutIt->setPalette(credits);
    AboutIt->setPlainText(
        u"Pellan 95, version 1.2\n"
        "Written by Ellis Marrow\n"
        "(Thornwick the Grey on server 100)\n"
        "E-mail: ellis.marrow@example.org\n"
        "Web: http://www.example.org/~emarrow/\n"
        "\n"
        "I also wrote Pellan, a text-mode program that\n"
        "gives solutions for the Underworld puzzle\n"
        "in the game. The game's name is a trademark\n"
        "of its owners.\n"
        "\n"
        "This is my first program written for Windows 95.\n"
        "Thanks to Corwin Ashby for recommending the\n"
        "development tool, a trademark of its maker.\n"
        "\n"
        "Thanks to Piers Halloran for the use of his map\n"
        "of the Underworld. Visit his game pages at\n"
        "http://www.example.com/phalloran/"_s);
    AboutIt->setGeometry(32, 32, 305, 249);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setAccessibleName(u"Guild salute"_s);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFont(pellan::pixelFont(u"Arial"_s, 19));
    Memo1->document()->setDocumentMargin(2);
    QPalette salute = Memo1->palette();
    salute.setColor(QPalette::Text, Qt::black);
    Memo1->setPalette(salute);
    Memo1->setPlainText(u"Hail Duskwardens!"_s);
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    Memo1->setToolTip(u"The guild that I am a member of on server 100"_s);
    Memo1->setGeometry(88, 344, 201, 33);

    Button1 = new QPushButton(u"Done"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setGeometry(24, 312, 321, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    pellan::enterPressesFocusedButton(this);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Button1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm1::Button1Click()
{
    close();
}
