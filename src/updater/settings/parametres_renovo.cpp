#include "parametres_renovo.h"

#include "brouillage.h"
#include "erreur_renovo.h"
#include "ini.h"
#include "nombres.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString section = u"Config"_s;
const QString nomFichier = u"Renovo.ini"_s;
const QString formatDate = u"dd/MM/yyyy"_s;

QString Lit(const QString& fichier, const QString& clé, const QString& défaut) {
    return LitIni(fichier, section, clé, défaut);
}

void Écrit(const QString& fichier, const QString& clé, const QString& valeur) {
    EcritIni(fichier, section, clé, valeur);
}

QString TexteDrapeau(bool valeur) {
    return valeur ? u"-1"_s : u"0"_s;
}

// A value that must convert to a number; a huge one stays huge, for the range test.
double Nombre(const QString& fichier, const QString& clé, const QString& défaut) {
    const std::optional<double> valeur = ConvertitNombre(Lit(fichier, clé, défaut));
    if (!valeur)
        throw ErreurRenovo::IncompatibilitéDeType();
    return *valeur;
}

// A choice among 0, 1 and 2: anything else, however large, is 1.
template <typename Entier> Entier Choix(double valeur) {
    const std::optional<qint64> entier = ArrondiEntier(valeur, 0, 2);
    return static_cast<Entier>(entier.value_or(1));
}

// Permission bits say nothing of a read-only mount, nor of what root may do: try it.
bool PeutÉcrire(const QString& dossier) {
    QTemporaryFile essai(QDir(dossier).filePath(u"renovo-XXXXXX"_s));
    return essai.open();
}

bool DispositionInstallée(const QString& dossierProgramme) {
    const QDir programme(dossierProgramme);
    return programme.dirName() == u"bin"_s &&
           QFileInfo(programme.filePath(u"../share/renovo"_s)).isDir();
}

} // namespace

EmplacementRenovo DétermineEmplacement(const QString& dossierProgramme,
                                       const QString& dossierUtilisateur) {
    EmplacementRenovo e;
    e.installé = DispositionInstallée(dossierProgramme) || !PeutÉcrire(dossierProgramme);
    e.DossierParamètres = e.installé ? dossierUtilisateur : dossierProgramme;
    e.FichierParamètres = QDir(e.DossierParamètres).filePath(nomFichier);
    const QString ancien = QDir(dossierProgramme).filePath(nomFichier);
    if (e.installé && !QFileInfo::exists(e.FichierParamètres) && QFileInfo(ancien).isFile())
        e.ancienFichier = ancien;
    return e;
}

void PrépareDossierParamètres(const EmplacementRenovo& emplacement) {
    if (!emplacement.installé)
        return;
    if (!QDir().mkpath(emplacement.DossierParamètres))
        throw ErreurRenovo::AccèsRefusé();
    if (emplacement.ancienFichier.isEmpty())
        return;
    if (!QFile::copy(emplacement.ancienFichier, emplacement.FichierParamètres))
        throw ErreurRenovo::AccèsRefusé();
    // The proxy password is only scrambled.
    QFile::setPermissions(emplacement.FichierParamètres,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(emplacement.ancienFichier);
}

void LitParamètres(ParamètresRenovo& p, QDate& dernièreVérification) {
    const QString& f = p.FichierParamètres;
    p.RechercherMaJOuvertureSession =
        ValeurNumérique(Lit(f, u"RechercherMaJOuvertureSession"_s, u"0"_s)) != 0;
    p.RechercherMaJFréquence =
        Choix<qint16>(ValeurNumérique(Lit(f, u"RechercherMaJFréquence"_s, u"1"_s)));
    const QString bureau =
        QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    p.RépertoireTéléchargement = Lit(f, u"RépertoireTéléchargement"_s, bureau);
    dernièreVérification = LitDate(Lit(f, u"RechercherMaJDernière"_s, u"01/01/1980"_s));
    if (!dernièreVérification.isValid())
        throw ErreurRenovo::IncompatibilitéDeType();
    p.ProxyType = Choix<qint32>(Nombre(f, u"ProxyType"_s, u"1"_s));
    p.ProxyAdresse = Lit(f, u"ProxyAdresse"_s, QString());
    p.ProxyPort = Lit(f, u"ProxyPort"_s, QString());
    p.ProxyLogin = Lit(f, u"ProxyLogin"_s, QString());
    p.ProxyPassword = DésembrouilleTexte(Lit(f, u"ProxyPassword"_s, QString()));
    p.ProxySiErreurTesterAussiAccèsDirect =
        std::nearbyint(Nombre(f, u"ProxySiErreurTesterAussiAccèsDirect"_s, u"0"_s)) != 0;
    // An empty address would send every request nowhere.
    const QString adresse = Lit(f, u"AdresseServeur"_s, QString());
    if (!adresse.isEmpty())
        p.AdresseServeur = adresse;
}

void EcritParamètres(const ParamètresRenovo& p) {
    const QString& f = p.FichierParamètres;
    Écrit(f, u"Langue"_s, p.Langue);
    Écrit(f, u"RechercherMaJOuvertureSession"_s, TexteDrapeau(p.RechercherMaJOuvertureSession));
    Écrit(f, u"RechercherMaJFréquence"_s, QString::number(p.RechercherMaJFréquence));
    Écrit(f, u"ProxyType"_s, QString::number(p.ProxyType));
    Écrit(f, u"ProxyAdresse"_s, p.ProxyAdresse);
    Écrit(f, u"ProxyPort"_s, p.ProxyPort);
    Écrit(f, u"ProxyLogin"_s, p.ProxyLogin);
    Écrit(f, u"ProxyPassword"_s, EmbrouilleTexte(p.ProxyPassword));
    Écrit(f, u"ProxySiErreurTesterAussiAccèsDirect"_s,
          TexteDrapeau(p.ProxySiErreurTesterAussiAccèsDirect));
}

void EcritRépertoireTéléchargement(const ParamètresRenovo& p) {
    Écrit(p.FichierParamètres, u"RépertoireTéléchargement"_s, p.RépertoireTéléchargement);
}

void EcritDernièreVérification(const ParamètresRenovo& p, const QDate& jour) {
    Écrit(p.FichierParamètres, u"RechercherMaJDernière"_s, TexteDate(jour));
}

QString TexteDate(const QDate& jour) {
    return jour.toString(formatDate);
}

QDate LitDate(const QString& texte) {
    const QString nu = texte.trimmed();
    QDate jour = QDate::fromString(nu, formatDate);
    if (!jour.isValid())
        jour = QLocale::system().toDate(nu, QLocale::ShortFormat);
    if (!jour.isValid())
        jour = QDate::fromString(nu, Qt::ISODate);
    return jour;
}

bool ModeAutomatiqueDemandé(const QStringList& arguments) {
    const QString ligne = arguments.join(u' ').toLower();
    return ligne == u"/startup"_s || ligne == u"/run"_s;
}
