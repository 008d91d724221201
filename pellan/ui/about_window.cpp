#include "about_window.h"

#include "accessibility.h"
#include "fonts.h"
#include "window_frame.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace pellan {

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent)
{
    installAccessibleInterfaces();
    setObjectName(u"Form1"_s);
    setWindowTitle(u"About Pellan 95"_s);
    setupFixedWindow(*this, QRect(262, 140, 369, 381));

    outerBevel_ = makeBevel(this, "Bevel1", QRect(8, 8, 353, 297));
    innerBevel_ = makeBevel(this, "Bevel2", QRect(24, 24, 321, 265));
    createCredits();
    createSalute();

    doneButton_ = makeDoneButton(*this, "Button1", QRect(24, 312, 321, 25));
    enterPressesFocusedButton(this);
}

void AboutWindow::createCredits()
{
    creditsText_ = new QPlainTextEdit(this);
    creditsText_->setObjectName(u"AboutIt"_s);
    creditsText_->setAccessibleName(u"Credits"_s);
    creditsText_->setReadOnly(true);
    creditsText_->setFocusPolicy(Qt::NoFocus);
    creditsText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    creditsText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    creditsText_->document()->setDocumentMargin(2);
    QPalette credits = creditsText_->palette();
    credits.setColor(QPalette::Base, credits.color(QPalette::Button));
    creditsText_->setPalette(credits);
    creditsText_->setPlainText(
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
    creditsText_->setGeometry(32, 32, 305, 249);
}

void AboutWindow::createSalute()
{
    saluteText_ = new QTextEdit(this);
    saluteText_->setObjectName(u"Memo1"_s);
    saluteText_->setAccessibleName(u"Guild salute"_s);
    saluteText_->setReadOnly(true);
    saluteText_->setFocusPolicy(Qt::NoFocus);
    saluteText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    saluteText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    saluteText_->setFont(pixelFont(u"Arial"_s, 19));
    saluteText_->document()->setDocumentMargin(2);
    QPalette salute = saluteText_->palette();
    salute.setColor(QPalette::Text, Qt::black);
    saluteText_->setPalette(salute);
    saluteText_->setPlainText(u"Hail Duskwardens!"_s);
    QTextCursor all(saluteText_->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    saluteText_->setToolTip(u"The guild that I am a member of on server 100"_s);
    saluteText_->setGeometry(88, 344, 201, 33);
}

void AboutWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    doneButton_->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace pellan
