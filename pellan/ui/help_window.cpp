#include "help_window.h"

#include "window_frame.h"

#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace pellan {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent)
{
    setupSecondaryWindow(*this, u"HelpWindow"_s, u"Help"_s, QRect(219, 194, 400, 141));

    bevel = makeBevel(this, "Bevel1", QRect(8, 8, 385, 97));

    helpText = new QPlainTextEdit(this);
    helpText->setObjectName(u"Memo1"_s);
    helpText->setAccessibleName(u"Help text"_s);
    helpText->setReadOnly(true);
    helpText->setFocusPolicy(Qt::NoFocus);
    helpText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpText->document()->setDocumentMargin(2);
    helpText->setPlainText(u"Click in the checkboxes to indicate which lights are on or off. The solution \n"
                           "output at the bottom of the window is updated each time that you click in a \n"
                           "checkbox.\n"
                           "\n"
                           "To see a map of the Underworld, click on 'View Underworld Map'."_s);
    helpText->setGeometry(16, 16, 369, 81);

    doneButton = makeDoneButton(*this, u"CloseHelp"_s, QRect(16, 112, 369, 25));
}

}  // namespace pellan
