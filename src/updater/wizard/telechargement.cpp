#include "telechargement.h"

#include "fichiers.h"
#include "liste_logiciels.h"
#include "net/inet.h"
#include "parametres_renovo.h"
#include "settings/traductions.h"
#include "texte.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int DélaiSilence = 10;
constexpr qint64 TailleMaxTexte = 1024 * 1024;
constexpr qint64 Morceau = 1024;
constexpr qint64 IntervalleAffichageMs = 100;
constexpr qint64 IntervalleÉvénementsMs = 10;

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

// Waits for the answer's header, or for the failure of the request.
bool AttendsEnTêtes(Inet& inet, const AffichageProgression& progression) {
    QEventLoop attente;
    QObject::connect(&inet, &Inet::StateChanged, &attente, &QEventLoop::quit);
    while (inet.StillExecuting()) {
        if (progression.Interrompu() || attente.exec() < 0)
            return false;
    }
    return !progression.Interrompu();
}

bool Transfère(Inet& inet, const QString& chemin, const QString& nomFichier,
               AffichageProgression& progression, const colTraductions& traductions) {
    bool nombre = false;
    const qint64 total = inet.GetHeader(u"Content-Length"_s).trimmed().toLongLong(&nombre);
    if (!nombre || total < 0)
        return false;
    progression.Commence(LigneTraitement(u"TXT_TRAITEMENT_TELECHARGEMENT"_s, nomFichier,
                                         u"TXT_STATUT_EN_COURS"_s, traductions),
                         total);

    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    QElapsedTimer chrono;
    chrono.start();
    qint64 dernierAffichage = -IntervalleAffichageMs;
    qint64 dernierÉvénements = 0;
    qint64 restant = total;
    while (restant > 0) {
        const QByteArray morceau = inet.GetChunkOctets(static_cast<int>(qMin(Morceau, restant)));
        if (morceau.isEmpty() || progression.Interrompu())
            return false;
        if (fichier.write(morceau) != morceau.size())
            return false;
        restant -= morceau.size();
        const qint64 écoulé = chrono.elapsed();
        if (restant == 0 || écoulé - dernierAffichage >= IntervalleAffichageMs) {
            dernierAffichage = écoulé;
            progression.Avance(total - restant,
                               TexteAvancement(total - restant, total, écoulé, traductions));
        }
        // Pending events run between chunks every few milliseconds rather than after each
        // kilobyte: on a fast link, asking the event loop would cost more than the bytes.
        if (écoulé - dernierÉvénements >= IntervalleÉvénementsMs) {
            dernierÉvénements = écoulé;
            QCoreApplication::processEvents();
        }
    }
    return !progression.Interrompu() && fichier.commit();
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

QString Télécharge(const ParamètresRenovo& paramètres, const QString& url) {
    Inet inet;
    inet.setRequestTimeout(DélaiSilence);
    inet.setTailleMaximale(TailleMaxTexte);
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
        if (!AttendsEnTêtes(inet, progression))
            return false;
        if (StatutRéponse(inet.GetHeader()) == u"200 OK")
            // Not QDir::filePath, which takes a name beginning with ":" for a resource.
            return Transfère(inet, AjouteAntiSlash(dossier) + nomFichier, nomFichier, progression,
                             traductions);
    }
    return false;
}
