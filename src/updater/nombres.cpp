#include "nombres.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QRegularExpression
    nombre(u"^\\s*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)"_s);

} // namespace

double ValeurNumérique(QStringView texte) {
    const QRegularExpressionMatch trouvé = nombre.match(texte);
    if (!trouvé.hasMatch())
        return 0;
    return QLocale::c().toDouble(trouvé.capturedView(1));
}

std::optional<double> ConvertitNombre(QStringView texte) {
    const QStringView nu = texte.trimmed();
    const QRegularExpressionMatch trouvé = nombre.match(nu);
    if (!trouvé.hasMatch() || trouvé.capturedLength(0) != nu.size())
        return std::nullopt;
    return QLocale::c().toDouble(trouvé.capturedView(1));
}

std::optional<qint64> ArrondiEntier(double valeur, qint64 minimum, qint64 maximum) {
    const double arrondi = std::nearbyint(valeur);
    // Bounds as doubles round: 2^63 would pass for the largest qint64. Whole numbers compare.
    if (!(arrondi >= -0x1p63 && arrondi < 0x1p63))
        return std::nullopt;
    const auto entier = static_cast<qint64>(arrondi);
    if (entier < minimum || entier > maximum)
        return std::nullopt;
    return entier;
}
