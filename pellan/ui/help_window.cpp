#include "help_window.h"

#include "accessibility.h"
#include "window_frame.h"

#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent)
{
    pellan::installAccessibleInterfaces();
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(u"Help"_s);
    pellan::setupFixedWindow(*this, QRect(219, 194, 400, 141));

    Bevel1 = pellan::makeBevel(this, "Bevel1", QRect(8, 8, 385, 97));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setAccessibleName(u"Help text"_s);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->document()->setDocumentMargin(2);
    Memo1->setPlainText(
        u"Click in the checkboxes to indicate which lights are on or off. The solution \n"
        "output at the bottom of the window is updated each time that you click in a \n"
        "checkbox.\n"
        "\n"
        "To see a map of the Underworld, click on 'View Underworld Map'."_s);
    Memo1->setGeometry(16, 16, 369, 81);

    CloseHelp = new QPushButton(u"Done"_s, this);
    CloseHelp->setObjectName(u"CloseHelp"_s);
    CloseHelp->setGeometry(16, 112, 369, 25);
    connect(CloseHelp, &QPushButton::clicked, this, &THelpWindow::CloseHelpClick);
    pellan::enterPressesFocusedButton(this);
}

void THelpWindow::CloseHelpClick()
{
    close();
}
