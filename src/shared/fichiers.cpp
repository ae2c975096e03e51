#include "fichiers.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

bool Convient(const QFileInfo& entrée, quint32 attributs) {
    const QString nom = entrée.fileName();
    const bool pointOuPointPoint = nom == "."_L1 || nom == ".."_L1;
    if (entrée.isDir()) {
        if (!(attributs & AttributDossier))
            return false;
    } else if (!entrée.isFile()) {
        return false;
    }
    return pointOuPointPoint || !entrée.isHidden() || (attributs & AttributCaché);
}

QString EnExpression(QStringView motif) {
    QString expression;
    for (const QChar c : motif) {
        if (c == u'*')
            expression += ".*"_L1;
        else if (c == u'?')
            expression += u'.';
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return expression;
}

QRegularExpression Motif(QStringView nom) {
    // As on the platform, a final ".*" also matches an empty extension.
    const QString corps =
        nom.endsWith(u".*") ? EnExpression(nom.chopped(2)) + "(?:\\..*)?"_L1 : EnExpression(nom);
#ifdef Q_OS_WIN
    const auto options = QRegularExpression::CaseInsensitiveOption;
#else
    const auto options = QRegularExpression::NoPatternOption;
#endif
    return QRegularExpression(QRegularExpression::anchoredPattern(corps),
                              options | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

QString AjouteAntiSlash(const QString& chemin) {
    if (chemin.endsWith(u'/') || chemin.endsWith(u'\\'))
        return chemin;
    return chemin + u'/';
}

bool FichierExiste(const QString& cheminOuMotif, quint32 attributs) {
    if (cheminOuMotif.isEmpty())
        return false;
    QString chemin = cheminOuMotif;
    chemin.replace(u'\\', u'/');
    const qsizetype coupure = chemin.lastIndexOf(u'/');
    const QString dossier = coupure < 0 ? u"."_s : chemin.left(coupure + 1);
    const QString nom = chemin.mid(coupure + 1);

    if (!nom.isEmpty() && !nom.contains(u'*') && !nom.contains(u'?'))
        return Convient(QFileInfo(chemin), attributs);

    const QRegularExpression motif = Motif(nom.isEmpty() ? u"*" : QStringView(nom));
    QDirIterator entrées(dossier, QDir::AllEntries | QDir::Hidden | QDir::System);
    while (entrées.hasNext()) {
        entrées.next();
        if (motif.match(entrées.fileName()).hasMatch() && Convient(entrées.fileInfo(), attributs))
            return true;
    }
    return false;
}
