#include "telechargement.h"

#include "fichiers.h"
#include "liste_logiciels.h"
#include "net/inet.h"
#include "reception.h"
#include "settings/parametres_renovo.h"
#include "texte.h"
#include "translation/traductions.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int DélaiSilence = 10;

int NombreTentatives(const ParamètresRenovo& p) {
    return p.ProxySiErreurTesterAussiAccèsDirect && p.ProxyType != Inet::icDirect ? 2 : 1;
}

// Sets up one attempt: the configured access first, then a direct one. False when the
// proxy's port is no port number.
bool PrépareTentative(Inet& inet, const ParamètresRenovo& p, int tentative, const QString& url) {
    inet.Cancel();
    inet.setAccessType(tentative == 0 ? p.ProxyType : Inet::icDirect);
    inet.setProxy(QString());
    inet.setRemotePort(80);
    if (inet.AccessType() == Inet::icNamedProxy) {
        bool nombre = false;
        const uint port = p.ProxyPort.trimmed().toUInt(&nombre);
        if (!nombre || port > 65535)
            return false;
        inet.setProxy(p.ProxyAdresse);
        inet.setRemotePort(static_cast<int>(port));
    }
    inet.setURL(url);
    const bool identifiants = inet.AccessType() != Inet::icDirect;
    inet.setUserName(identifiants ? p.ProxyLogin : QString());
    inet.setPassword(identifiants ? p.ProxyPassword : QString());
    return true;
}

} // namespace

QString StatutRéponse(const QString& enTêtes) {
    qsizetype fin = 0;
    while (fin < enTêtes.size() && enTêtes.at(fin).unicode() >= 32)
        ++fin;
    const QString ligne = enTêtes.left(fin);
    const qsizetype espace = ligne.indexOf(u' ');
    return espace < 0 ? QString() : ligne.mid(espace + 1);
}

double Arrondi(double x, int décimales) {
    // Fewer than no decimals is none, as the pattern "0" alone.
    const double échelle = std::pow(10.0, std::max(décimales, 0));
    // Through 15 significant digits, as a decimal text would read: 2.675 rounds to 2.68.
    const double décalé = QString::number(x * échelle, 'g', 15).toDouble();
    // So many decimals that the scale overflows: a double holds none of them to round.
    if (!std::isfinite(décalé))
        return x;
    return std::round(décalé) / échelle;
}

QString TailleTexte(qint64 octets) {
    static const QStringList unités{u"octets"_s, u"Ko"_s, u"Mo"_s, u"Go"_s, u"To"_s};
    double valeur = static_cast<double>(octets);
    int divisions = 0;
    while (valeur >= 1024 && divisions < 4) {
        valeur /= 1024;
        ++divisions;
    }
    valeur = Arrondi(valeur, 1);
    // Written from the double: rounding may take a count past the range of a whole number.
    // The decimal separator of the locale, and no digit-group separator: "1023,5".
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const QString nombre = valeur == std::floor(valeur) ? QString::number(valeur, 'f', 0)
                                                        : locale.toString(valeur, 'f', 1);
    return nombre + u' ' + unités.at(divisions);
}

QString TexteAvancement(qint64 faits, qint64 total, qint64 écouléMs,
                        const colTraductions& traductions) {
    const qint64 restant = total - faits;
    const double reste = faits > 0 ? double(écouléMs) / double(faits) * double(restant) / 1000 : 0;
    return FormateTexte(
        traductions.Item(u"TXT_MAJ_AVANCEMENT"_s),
        {TailleTexte(faits), TailleTexte(total), QString::number(Arrondi(reste, 0), 'f', 0)});
}

QString Télécharge(const ParamètresRenovo& paramètres, const QString& url, qint64 tailleMax) {
    Inet inet;
    inet.setRequestTimeout(DélaiSilence);
    inet.setTailleMaximale(tailleMax);
    for (int tentative = 0; tentative < NombreTentatives(paramètres); ++tentative) {
        if (!PrépareTentative(inet, paramètres, tentative, url))
            return {};
        const QString corps = inet.OpenURL(url);
        if (StatutRéponse(inet.GetHeader()) == u"200 OK")
            return corps;
    }
    return {};
}

bool Télécharge(const ParamètresRenovo& paramètres, const QString& url, const QString& dossier,
                const QString& nomFichier, AffichageProgression& progression,
                const colTraductions& traductions) {
    progression.Prépare();
    QCoreApplication::processEvents();
    Inet inet;
    inet.setRequestTimeout(DélaiSilence);
    inet.setLectureProgressive(true);
    for (int tentative = 0; tentative < NombreTentatives(paramètres); ++tentative) {
        if (!PrépareTentative(inet, paramètres, tentative, url))
            return false;
        inet.Execute(url, u"GET"_s);
        // Not QDir::filePath, which takes a name beginning with ":" for a resource.
        const IssueRéception issue = Reçoit(inet, AjouteAntiSlash(dossier) + nomFichier, nomFichier,
                                            progression, traductions);
        if (issue != IssueRéception::Refusée)
            return issue == IssueRéception::Réussie;
    }
    return false;
}
