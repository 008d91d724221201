#include "fonts.h"

#include <QFont>
#include <QString>

using namespace Qt::StringLiterals;

namespace pellan {

void setupFonts()
{
    QFont::insertSubstitution(u"MS Sans Serif"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Arial"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Times New Roman"_s, u"Liberation Serif"_s);
}

QFont pixelFont(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

} // namespace pellan
