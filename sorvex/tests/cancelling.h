// The two ways a user cancels a dialog, for the tests that try both: Escape and the close box.
#pragma once

#include "template_dialog.h"

#include <QTest>

namespace sorvex::testing_support {

inline void addCancellingRows()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Escape") << false;
    QTest::newRow("close box") << true;
}

// Escape pressed in `focus`, or the dialog's close box.
inline void cancel(TemplateDialog& open, QWidget* focus, bool closeBox)
{
    if (closeBox)
        open.close();
    else
        QTest::keyClick(focus, Qt::Key_Escape);
}

}  // namespace sorvex::testing_support
