#include "about_window.h"

#include "window_fonts.h"
#include "window_frame.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace pellan {

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent)
{
    setupSecondaryWindow(*this, u"Form1"_s, u"About Pellan 95"_s, QRect(262, 140, 369, 381));

    outerBevel = makeBevel(this, "Bevel1", QRect(8, 8, 353, 297));
    innerBevel = makeBevel(this, "Bevel2", QRect(24, 24, 321, 265));
    createCredits();
    createSalute();

    doneButton = makeDoneButton(*this, u"Button1"_s, QRect(24, 312, 321, 25));
}

void AboutWindow::createCredits()
{
    creditsText = new QPlainTextEdit(this);
    creditsText->setObjectName(u"AboutIt"_s);
    creditsText->setAccessibleName(u"Credits"_s);
    creditsText->setReadOnly(true);
    creditsText->setFocusPolicy(Qt::NoFocus);
    creditsText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    creditsText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    creditsText->document()->setDocumentMargin(2);
    QPalette credits = creditsText->palette();
    credits.setColor(QPalette::Base, credits.color(QPalette::Button));
    creditsText->setPalette(credits);
    creditsText->setPlainText(u"Pellan 95, version 1.2\n"
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
    creditsText->setGeometry(32, 32, 305, 249);
}

void AboutWindow::createSalute()
{
    saluteText = new QTextEdit(this);
    saluteText->setObjectName(u"Memo1"_s);
    saluteText->setAccessibleName(u"Guild salute"_s);
    saluteText->setReadOnly(true);
    saluteText->setFocusPolicy(Qt::NoFocus);
    saluteText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    saluteText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    saluteText->setFont(quendrith::pixelFont(u"Arial"_s, 19));
    saluteText->document()->setDocumentMargin(2);
    QPalette salute = saluteText->palette();
    salute.setColor(QPalette::Text, Qt::black);
    saluteText->setPalette(salute);
    saluteText->setPlainText(u"Hail Duskwardens!"_s);
    QTextCursor all(saluteText->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    saluteText->setToolTip(u"The guild that I am a member of on server 100"_s);
    saluteText->setGeometry(88, 344, 201, 33);
}

void AboutWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    doneButton->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace pellan
