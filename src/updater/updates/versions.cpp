#include "versions.h"

#include "erreur_renovo.h"

#include <QCoreApplication>
#include <QUrl>
#include <QVersionNumber>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

qint16 Chiffre(QChar c) {
    return static_cast<qint16>(c.digitValue());
}

qint16 Champ(const QString& champ) {
    const QString texte = champ.trimmed();
    if (texte.isEmpty())
        return 0;
    bool nombre = false;
    const double valeur = texte.toDouble(&nombre);
    if (!nombre || valeur != std::trunc(valeur))
        throw ErreurRenovo::IncompatibilitéDeType();
    if (valeur < std::numeric_limits<qint16>::min() || valeur > std::numeric_limits<qint16>::max())
        throw ErreurRenovo::DépassementDeCapacité();
    return static_cast<qint16>(valeur);
}

// A revision above 99 holds a pre-release's numbers in its digits.
struct VersionDécodée {
    qint16 majeur;
    qint16 mineur;
    qint16 révision;
    bool préVersion;
    qint16 bêta;
};

VersionDécodée Décode(const NumérosVersion& v) {
    if (v.révision <= 99)
        return {v.majeur, v.mineur, v.révision, false, 0};
    const QString s = QString::number(v.révision);
    return {Chiffre(s.at(0)), Chiffre(s.at(1)), s.size() == 3 ? qint16(0) : Chiffre(s.at(2)), true,
            Chiffre(s.back())};
}

// At least four digits, the sign before them.
QString QuatreChiffres(qint16 n) {
    return (n < 0 ? u"-"_s : QString()) + QString::number(std::abs(n)).rightJustified(4, u'0');
}

} // namespace

QString FormateVersion(qint16 majeur, qint16 mineur, qint16 révision, qint16 forme) {
    if (majeur == -1) {
        const QVersionNumber propre =
            QVersionNumber::fromString(QCoreApplication::applicationVersion());
        majeur = static_cast<qint16>(propre.majorVersion());
        mineur = static_cast<qint16>(propre.minorVersion());
        révision = static_cast<qint16>(propre.microVersion());
    }
    return FormateVersion({majeur, mineur, révision}, static_cast<FormeVersion>(forme));
}

NumérosVersion NumérosDeVersion(const QString& texte) {
    const QStringList champs = texte.split(u'.');
    const auto champ = [&](qsizetype i) -> qint16 {
        return i < champs.size() ? Champ(champs.at(i)) : 0;
    };
    return {champ(0), champ(1), champ(2)};
}

QString FormateVersion(const NumérosVersion& version, FormeVersion forme) {
    const VersionDécodée v = Décode(version);
    switch (forme) {
    case FormeVersion::Comparaison:
        return QuatreChiffres(v.majeur) + u'.' + QuatreChiffres(v.mineur) + u'.' +
               QuatreChiffres(v.révision) +
               (v.préVersion ? u".b"_s + QuatreChiffres(v.bêta) : u".r"_s);
    case FormeVersion::NomFichier:
        return QString::number(v.majeur) + QString::number(v.mineur) + QString::number(v.révision) +
               (v.préVersion ? u"b"_s + QString::number(v.bêta) : QString());
    default: {
        QString texte = u"v%1.%2"_s.arg(v.majeur).arg(v.mineur);
        if (v.révision > 0)
            texte += u'.' + QString::number(v.révision);
        if (v.préVersion)
            texte += u" beta "_s + QString::number(v.bêta);
        return texte;
    }
    }
}

bool VersionPlusRécente(const NumérosVersion& publiée, const NumérosVersion& installée) {
    const auto clé = [](const NumérosVersion& numéros) {
        const VersionDécodée v = Décode(numéros);
        return std::tuple(v.majeur, v.mineur, v.révision, !v.préVersion, v.bêta);
    };
    return clé(installée) < clé(publiée);
}

void TableVersions::Ajoute(const QString& nom, const QString& version) {
    const QString clé = nom.toCaseFolded();
    if (m_positions.contains(clé))
        throw ErreurRenovo::CléEnDouble();
    m_positions.insert(clé, m_noms.size());
    m_noms.append(nom);
    m_versions.append(version);
}

QString TableVersions::Version(const QString& nom) const {
    const qsizetype position = m_positions.value(nom.toCaseFolded(), -1);
    return position < 0 ? QString() : m_versions.at(position);
}

TableVersions LitRéponseVersions(const QString& corps) {
    // Line feeds become CRs, then pairs of CRs are taken left to right: a run of n CRs
    // keeps (n + 1) / 2 of them, so four become two and a blank line of CR LF CR LF still
    // separates. One pass, whatever the number of lines.
    QString texte;
    texte.reserve(corps.size());
    qsizetype suite = 0;
    for (const QChar c : corps) {
        if (c == u'\n' || c == u'\r') {
            if (suite++ % 2 == 0)
                texte += u'\r';
        } else {
            suite = 0;
            texte += c;
        }
    }

    TableVersions table;
    for (const QString& ligne : texte.split(u'\r')) {
        if (ligne.contains(u"<br />"_s, Qt::CaseInsensitive) || ligne.trimmed().isEmpty())
            continue;
        const QStringList champs = ligne.split(u'=');
        if (champs.size() == 2)
            table.Ajoute(champs.at(0), champs.at(1));
    }
    return table;
}

QString AdresseRequêteVersions(const QString& adresseServeur, const QStringList& logiciels) {
    QStringList entrées;
    for (const QString& logiciel : logiciels) {
        const qsizetype égal = logiciel.indexOf(u'=');
        const auto code = [](const QString& t) {
            return QString::fromLatin1(QUrl::toPercentEncoding(t));
        };
        entrées.append(égal < 0 ? code(logiciel)
                                : code(logiciel.left(égal)) + u'=' + code(logiciel.mid(égal + 1)));
    }
    return adresseServeur + u"_versions.php?apps="_s + entrées.join(u'|');
}
