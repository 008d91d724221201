// Option buttons and check boxes that take a press anywhere in their own box, as Windows' buttons do.
#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace quendrith {

// Qt takes a press only on the indicator and the caption, so a wide box with a short caption ignores most of
// itself, while screen readers are told the whole box as its place. No Q_OBJECT: the accessible interfaces and
// the style see the Qt class they know.
template <typename Button> class WholeBoxButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

using RadioButton = WholeBoxButton<QRadioButton>;
using CheckBox = WholeBoxButton<QCheckBox>;

}  // namespace quendrith
