#include "liste_logiciels.h"

#include "texte.h"
#include "translation/traductions.h"
#include "versions.h"

#include <QUrl>

using namespace Qt::StringLiterals;

QString ChampTag(const QString& tag, int champ) {
    return tag.section(u'|', champ, champ);
}

QString RemplaceMarqueur(const QString& tag, QStringView marqueur) {
    return marqueur + u'|' + tag.mid(tag.indexOf(u'|') + 1);
}

ListeLogiciels RemplitListe(const QStringList& logicielsInstallés, const TableVersions& dernières,
                            const colTraductions& traductions) {
    ListeLogiciels liste;
    for (const QString& entrée : logicielsInstallés) {
        LigneLogiciel ligne;
        ligne.nom = entrée.section(u'=', 0, 0);
        const NumérosVersion installée = NumérosDeVersion(entrée.section(u'=', 1, 1));
        ligne.versionInstallée = FormateVersion(installée, FormeVersion::Affichage);

        const QString dernière = dernières.Version(ligne.nom);
        if (dernière.isEmpty()) {
            ligne.statut = traductions.Item(u"TXT_STATUT_NON_PRIS_EN_CHARGE"_s);
            ligne.grisée = true;
        } else {
            const NumérosVersion publiée = NumérosDeVersion(dernière);
            const QString affichée = FormateVersion(publiée, FormeVersion::Affichage);
            ligne.tag = u'|' + affichée + u'|' + FormateVersion(publiée, FormeVersion::NomFichier);
            if (VersionPlusRécente(publiée, installée)) {
                ligne.statut = affichée + u' ' + traductions.Item(u"TXT_STATUT_PUBLIEE"_s);
                ligne.cochée = true;
                ++liste.misesÀJour;
            } else {
                ligne.statut = traductions.Item(u"TXT_STATUT_OK"_s);
            }
        }
        liste.lignes.append(ligne);
    }
    return liste;
}

QString StatutTéléchargé(const QString& versionAffichée, const colTraductions& traductions) {
    return versionAffichée + u' ' + traductions.Item(u"TXT_STATUT_TELECHARGEE"_s);
}

QString StatutInstallé(const QString& versionAffichée, const colTraductions& traductions) {
    return versionAffichée + u' ' + traductions.Item(u"TXT_STATUT_INSTALLEE"_s);
}

QString StatutÉchec(const QString& versionAffichée, const QString& cléOpération,
                    const colTraductions& traductions) {
    return versionAffichée + u' ' +
           FormateTexte(traductions.Item(u"TXT_STATUT_ERREUR"_s) + u" (%v)"_s,
                        {traductions.Item(cléOpération)});
}

QString LigneTraitement(const QString& cléOpération, const QString& fichier, const QString& cléÉtat,
                        const colTraductions& traductions) {
    return FormateTexte(
        traductions.Item(u"TXT_TRAITEMENT_DU_FICHIER"_s),
        {PremièreMajuscule(traductions.Item(cléOpération)), fichier, traductions.Item(cléÉtat)});
}

QString RacineInstallateur(const QString& nom, const QString& tag) {
    const bool finitParUnChiffre = !nom.isEmpty() && nom.back() >= u'0' && nom.back() <= u'9';
    return nom + (finitParUnChiffre ? u"_"_s : QString()) + ChampTag(tag, 2);
}

QString AdresseInstallateur(const QString& adresseServeur, const QString& racine) {
    return adresseServeur + QString::fromLatin1(QUrl::toPercentEncoding(racine)) + u".exe"_s;
}

QString NomFichierInstallateur(const QString& racine) {
    QString nom = racine + u"_setup.exe"_s;
    for (QChar& c : nom) {
        if (c.unicode() < 32 || u"/\\:*?\"<>|"_s.contains(c))
            c = u'_';
    }
    return nom;
}
