#include "window_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <array>

using namespace Qt::StringLiterals;

namespace quendrith {
namespace {

struct Substitute {
    QString face;
    QString lookAlike;
    QString asked;  // the face where it is installed, else its look-alike
};

std::array<Substitute, 3>& substitutes()
{
    static std::array<Substitute, 3> table = {{
        {u"MS Sans Serif"_s, u"Liberation Sans"_s, {}},
        {u"Arial"_s, u"Liberation Sans"_s, {}},
        {u"Times New Roman"_s, u"Liberation Serif"_s, {}},
    }};
    return table;
}

}  // namespace

void setUpFonts()
{
    const QStringList installed = QFontDatabase::families();
    for (Substitute& substitute : substitutes()) {
        QFont::insertSubstitution(substitute.face, substitute.lookAlike);
        substitute.asked
            = installed.contains(substitute.face, Qt::CaseInsensitive) ? substitute.face : substitute.lookAlike;
    }
}

QFont pixelFont(const QString& family, int pixels, bool bold, bool italic)
{
    // Asking for a face that is not installed costs every look-up of the font a search through all
    // installed fonts before the substitution applies; asking for the look-alike at once spares it.
    QString asked = family;
    for (const Substitute& substitute : substitutes()) {
        if (!substitute.asked.isEmpty() && family.compare(substitute.face, Qt::CaseInsensitive) == 0)
            asked = substitute.asked;
    }
    QFont font(asked);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont windowFont()
{
    return pixelFont(u"MS Sans Serif"_s, 11);
}

}  // namespace quendrith
