// The main dialog: one character's sheet, its entries, and the next-level figures.
#pragma once

#include "character_store.h"
#include "template_dialog.h"

#include <functional>

class QLineEdit;

namespace quendrith {
class AlwaysOnTop;
}

namespace sorvex {

class ConverterDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit ConverterDialog(QWidget* parent = nullptr);

    // The three characters' names as last loaded or stored.
    [[nodiscard]] const PlayerNames& playerNames() const { return names; }
    // The character slot shown, 1 to 3.
    [[nodiscard]] std::int32_t selectedSlot() const { return currentPlayer; }

    // Ends the process; tests replace it to see the call instead.
    using ExitHandler = std::function<void(int status)>;
    static void setExitHandler(ExitHandler handler);  // an empty one restores std::exit

protected:
    void initDialog() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void loadCharacter();
    void saveCharacter();
    void calculate();
    // After a load that could not read the store, the defaults shown are worked out but not stored.
    void calculateStoring(bool saving);
    void selectPlayer(int player);
    void selectSpellCount(int mode);
    void editPlayerNames();
    void clearEntry();
    void exitProgram();
    void showAbout();

    // False after a refused entry; the fields after it are left unread.
    bool readControls();
    void writeControls();
    void refuseEntry(QLineEdit* field, const QString& message);
    void addKeyboardShortcuts();

    void showPercentFields(const PercentFields& fields);
    void showNames();
    void showMarkers(const std::array<std::string_view, 3>& markers);
    void showNextLevels(const std::array<NextLevel, schoolCount>& levels);
    void showKeyFailures(const StoreMessages& messages);
    void showNotice(const StoreMessages& messages);

    CharacterStore store;
    CharacterSheet sheet;
    std::int32_t currentPlayer = 1;
    PlayerNames names;
    quendrith::AlwaysOnTop* onTop = nullptr;
};

}  // namespace sorvex
