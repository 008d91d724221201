// Dialogs built from templates the way the Windows dialog manager builds them: controls in template
// order, places in dialog units, tab stops, radio groups, a default button, Escape for Cancel.
#pragma once

#include <QDialog>
#include <QRect>

#include <functional>
#include <span>
#include <vector>

class QAbstractButton;
class QRadioButton;

namespace sorvex {

// The value of controls without an ID of their own.
inline constexpr int noId = -1;

enum class ControlKind { PushButton, GroupBox, Edit, AutoRadioButton, Static, Icon };

enum ControlStyle : unsigned {
    Group = 1u << 0,
    TabStop = 1u << 1,
    DefaultButton = 1u << 2,
    Centred = 1u << 3,
    AutoHScroll = 1u << 4,
    Border = 1u << 5,
    ReadOnly = 1u << 6,
    SunkenEdge = 1u << 7,
    NoPrefix = 1u << 8,
};

struct DialogUnits {
    int x, y, width, height;
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char16_t* text;
    DialogUnits place;
    unsigned styles;
    const char* name;  // object name
    const char* accessibleName;  // for controls without a visible caption, else nullptr
};

struct DialogTemplate {
    int id;
    const char16_t* caption;
    int width, height;  // dialog units
    bool minimizeBox;
    std::span<const ControlTemplate> controls;
};

// The window font, "MS Sans Serif" 8 point at 96 dots per inch: base units 6 across, 13 down, rounded as MulDiv
// does. quendrith::setUpFonts() maps it onto an installed equivalent; call it once before the first dialog.

int dialogUnitsToPixelsX(int units);
int dialogUnitsToPixelsY(int units);
QRect dialogUnitsToPixels(const DialogUnits& place);

class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    // An owner makes the dialog modal over it and centred on it; without one it is centred on the screen.
    TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* owner);

    [[nodiscard]] QWidget* control(int id) const;
    template <typename T> [[nodiscard]] T* control(int id) const { return qobject_cast<T*>(control(id)); }

    [[nodiscard]] const std::vector<QWidget*>& controlsInTemplateOrder() const { return createdControls; }
    [[nodiscard]] const std::vector<QWidget*>& tabStops() const { return tabStopControls; }
    [[nodiscard]] const DialogTemplate& dialogTemplate() const { return sourceTemplate; }

    // The radio buttons from the group-style control firstId up to the next group-style control.
    [[nodiscard]] std::vector<QRadioButton*> radioGroup(int firstId) const;

    // One modal run; QDialog::Accepted or QDialog::Rejected.
    int run();

    // Tests act as the user here: called inside the modal loop of every run(), once the dialog is up.
    using OpenedHook = std::function<void(TemplateDialog&)>;
    static void setOpenedHook(OpenedHook hook);  // an empty one restores plain runs

protected:
    // Runs once, just before the dialog first appears (after the controls exist).
    virtual void initDialog() { }
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createControl(const ControlTemplate& control);
    std::vector<QRadioButton*> radioGroupAt(std::size_t first) const;
    void checkExclusively(QRadioButton* clicked);
    bool moveInRadioGroup(QRadioButton* from, int step);
    void placeOnOpening();

    const DialogTemplate& sourceTemplate;
    QWidget* ownerWidget = nullptr;
    std::vector<QWidget*> createdControls;
    std::vector<QWidget*> tabStopControls;
    bool hasOpened = false;
};

}  // namespace sorvex
