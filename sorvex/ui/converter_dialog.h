// The main dialog: one character's sheet, its entries, and the next-level figures.
#pragma once

#include "character_store.h"
#include "message_sink.h"
#include "template_dialog.h"

#include <functional>

class QLineEdit;

namespace sorvex {

class ConverterDialog : public TemplateDialog,
                        public ConverterView,
                        public ResultView,
                        public MessageSink,
                        public NamesDialogRunner {
    Q_OBJECT
public:
    explicit ConverterDialog(QWidget* parent = nullptr);

    [[nodiscard]] CharacterStore& store() { return characterStore; }

    // Ends the process; tests replace it to see the call instead.
    using ExitHandler = std::function<void(int status)>;
    static void setExitHandler(ExitHandler handler);  // an empty one restores std::exit

    void setPercentFieldEnabled(int index, bool enabled) override;
    void setPercentFieldText(int index, std::string_view text) override;
    void setPlayerButtonCaption(int slot, std::string_view name) override;
    void setNameBoxText(std::string_view name) override;
    void setSelectionMarker(int slot, std::string_view text) override;
    void setResultCaption(int school, std::string_view caption) override;
    void setResultFigure(int school, std::int32_t figure) override;
    void setResultEnabled(int school, bool enabled) override;
    void showWarning(std::string_view text) override;
    bool runNamesDialog(std::array<std::string, 3>& names) override;

protected:
    void initDialog() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void loadCharacter();
    void calculate();
    void selectPlayer(int player);
    void selectSpellCount(int mode);
    void editPlayerNames();
    void clearEntry();
    void exitProgram();
    void showAbout();

    // False after a refused entry; the fields after it are left unread.
    bool readControls(CharacterSheet& sheet);
    void writeControls(const CharacterSheet& sheet);
    void refuseEntry(QLineEdit* field, const QString& message);
    void addKeyboardShortcuts();

    CharacterStore characterStore;
};

}  // namespace sorvex
