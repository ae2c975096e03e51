#include "versions.h"

#include "erreur_renovo.h"

#include <QCoreApplication>
#include <QUrl>
#include <QVersionNumber>

#include <cmath>
#include <limits>

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

} // namespace

QString FormateVersion(qint16 majeur, qint16 mineur, qint16 révision, qint16 forme) {
    if (majeur == -1) {
        const QVersionNumber propre =
            QVersionNumber::fromString(QCoreApplication::applicationVersion());
        majeur = static_cast<qint16>(propre.majorVersion());
        mineur = static_cast<qint16>(propre.minorVersion());
        révision = static_cast<qint16>(propre.microVersion());
    }
    qint16 bêta = 0;
    const bool préVersion = révision > 99;
    if (préVersion) {
        const QString s = QString::number(révision);
        majeur = Chiffre(s.at(0));
        mineur = Chiffre(s.at(1));
        révision = s.size() == 3 ? 0 : Chiffre(s.at(2));
        bêta = Chiffre(s.back());
    }

    switch (static_cast<FormeVersion>(forme)) {
    case FormeVersion::Comparaison: {
        const auto quatre = [](qint16 n) { return u"%1"_s.arg(n, 4, 10, QChar(u'0')); };
        return quatre(majeur) + u'.' + quatre(mineur) + u'.' + quatre(révision) +
               (préVersion ? u".b"_s + quatre(bêta) : u".r"_s);
    }
    case FormeVersion::NomFichier:
        return QString::number(majeur) + QString::number(mineur) + QString::number(révision) +
               (préVersion ? u"b"_s + QString::number(bêta) : QString());
    default: {
        QString texte = u"v%1.%2"_s.arg(majeur).arg(mineur);
        if (révision > 0)
            texte += u'.' + QString::number(révision);
        if (préVersion)
            texte += u" beta "_s + QString::number(bêta);
        return texte;
    }
    }
}

NumérosVersion NumérosDeVersion(const QString& texte) {
    const QStringList champs = texte.split(u'.');
    const auto champ = [&](qsizetype i) -> qint16 {
        return i < champs.size() ? Champ(champs.at(i)) : 0;
    };
    return {champ(0), champ(1), champ(2)};
}

QString FormateVersion(const NumérosVersion& version, FormeVersion forme) {
    return FormateVersion(version.majeur, version.mineur, version.révision,
                          static_cast<qint16>(forme));
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
