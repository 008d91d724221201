// A radio button as screen readers should meet it: a radio button that a screen reader's press or toggle
// checks as a click does.
#pragma once

#include <QAccessibleWidget>

class QRadioButton;

namespace quendrith {

// Qt's own interface toggles a radio button without the click the windows act on, so a screen reader could tick
// an option that the window never takes up; and it announces one that is not auto-exclusive, whose group the
// window keeps itself, as a check box.
class RadioButtonAccessible : public QAccessibleWidget {
public:
    explicit RadioButtonAccessible(QRadioButton* radio);

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    QRadioButton* radio() const;
    QString accessKey() const;
};

}  // namespace quendrith
