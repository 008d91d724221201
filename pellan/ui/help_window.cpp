#include "help_window.h"

#include "accessibility.h"
#include "window_frame.h"

#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace pellan {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent)
{
    installAccessibleInterfaces();
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(u"Help"_s);
    setupFixedWindow(*this, QRect(219, 194, 400, 141));

    bevel_ = makeBevel(this, "Bevel1", QRect(8, 8, 385, 97));

    helpText_ = new QPlainTextEdit(this);
    helpText_->setObjectName(u"Memo1"_s);
    helpText_->setAccessibleName(u"Help text"_s);
    helpText_->setReadOnly(true);
    helpText_->setFocusPolicy(Qt::NoFocus);
    helpText_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    helpText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpText_->document()->setDocumentMargin(2);
    helpText_->setPlainText(
        u"Click in the checkboxes to indicate which lights are on or off. The solution \n"
        "output at the bottom of the window is updated each time that you click in a \n"
        "checkbox.\n"
        "\n"
        "To see a map of the Underworld, click on 'View Underworld Map'."_s);
    helpText_->setGeometry(16, 16, 369, 81);

    doneButton_ = makeDoneButton(*this, "CloseHelp", QRect(16, 112, 369, 25));
    enterPressesFocusedButton(this);
}

}  // namespace pellan
