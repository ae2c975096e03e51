#include "minisign.h"

#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

bool Lance(const QStringList& arguments) {
    QProcess minisign;
    minisign.start(u"minisign"_s, arguments);
    return minisign.waitForFinished(30'000) && minisign.exitStatus() == QProcess::NormalExit &&
           minisign.exitCode() == 0;
}

} // namespace

bool Minisign::crée() {
    return Lance({u"-G"_s, u"-W"_s, u"-f"_s, u"-p"_s, cléPublique(), u"-s"_s, cléSecrète()});
}

QByteArray Minisign::signe(const QString& fichier, bool ancien) const {
    QStringList arguments{u"-S"_s, u"-s"_s, cléSecrète(), u"-m"_s, fichier};
    if (ancien)
        arguments << u"-l"_s;
    QFile signature(fichier + u".minisig"_s);
    if (!Lance(arguments) || !signature.open(QIODevice::ReadOnly))
        return {};
    return signature.readAll();
}
