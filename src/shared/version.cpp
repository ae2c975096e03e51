#include "version.h"

#include <QCoreApplication>
#include <QVersionNumber>

using namespace Qt::StringLiterals;

QString TexteVersion(int majeur, int mineur, int révision) {
    if (révision > 99) {
        const QString r = u"%1"_s.arg(révision, 4, 10, QChar(u'0'));
        QString texte = u"v%1.%2"_s.arg(r.at(0)).arg(r.at(1));
        if (r.at(2) != u'0') {
            texte += u'.';
            texte += r.at(2);
        }
        return texte + u" beta "_s + QString::number(QStringView(r).mid(3).toInt());
    }
    QString texte = u"v%1.%2"_s.arg(majeur).arg(mineur);
    if (révision > 0)
        texte += u"."_s + QString::number(révision);
    return texte;
}

QString TexteVersion() {
    const QVersionNumber version =
        QVersionNumber::fromString(QCoreApplication::applicationVersion());
    return TexteVersion(version.majorVersion(), version.minorVersion(), version.microVersion());
}

QString TitreEtVersion(const QString& texteVersion) {
    return QCoreApplication::applicationName() + u' ' + texteVersion;
}
