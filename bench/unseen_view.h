// A main dialog that shows nothing, for driving the character store without windows.
#pragma once

#include "character_store.h"

class UnseenView final : public sorvex::ConverterView {
public:
    void setPercentFieldEnabled(int, bool) override { }
    void setPercentFieldText(int, std::string_view) override { }
    void setPlayerButtonCaption(int, std::string_view) override { }
    void setNameBoxText(std::string_view) override { }
    void setSelectionMarker(int, std::string_view) override { }
};
