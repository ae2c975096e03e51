#include "traductions.h"

#include "erreur_renovo.h"
#include "ini_document.h"

#include <QFile>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString section = u"Traduction"_s;

QString Clé(const QString& code) {
    return code.toCaseFolded();
}

// As settings files are read: at most 31999 characters.
constexpr qsizetype longueurMaximale = 31999;

// The "<key>...</key>" block of the file; none when the opening or the closing marker is
// missing.
std::optional<QString> Bloc(const QByteArray& contenu, const QString& clé) {
    const QString texte = TexteIni(contenu);
    const QString ouverture = u'<' + clé + u'>';
    const qsizetype début = texte.indexOf(ouverture, 0, Qt::CaseInsensitive);
    if (début < 0)
        return std::nullopt;
    const qsizetype contenuBloc = début + ouverture.size();
    const qsizetype fin = texte.indexOf(u"</"_s + clé + u'>', contenuBloc, Qt::CaseInsensitive);
    if (fin < 0)
        return std::nullopt;
    return texte.mid(contenuBloc, fin - contenuBloc);
}

QString AppliqueBalises(QString texte) {
    texte.replace(u"'§'"_s, u"{167}"_s);
    texte.replace(u"§"_s, u"\r\n"_s);
    texte.replace(u"{167}"_s, u"§"_s);
    return texte;
}

// Windows primary language numbers, by Qt language.
constexpr std::pair<QLocale::Language, qint16> codesLangues[] = {
    {QLocale::C, 9},
    {QLocale::Arabic, 1},
    {QLocale::Bulgarian, 2},
    {QLocale::Catalan, 3},
    {QLocale::Chinese, 4},
    {QLocale::Czech, 5},
    {QLocale::Danish, 6},
    {QLocale::German, 7},
    {QLocale::Greek, 8},
    {QLocale::English, 9},
    {QLocale::Spanish, 10},
    {QLocale::Finnish, 11},
    {QLocale::French, 12},
    {QLocale::Hebrew, 13},
    {QLocale::Hungarian, 14},
    {QLocale::Icelandic, 15},
    {QLocale::Italian, 16},
    {QLocale::Japanese, 17},
    {QLocale::Korean, 18},
    {QLocale::Dutch, 19},
    {QLocale::NorwegianBokmal, 20},
    {QLocale::NorwegianNynorsk, 20},
    {QLocale::Polish, 21},
    {QLocale::Portuguese, 22},
    {QLocale::Romansh, 23},
    {QLocale::Romanian, 24},
    {QLocale::Russian, 25},
    {QLocale::Croatian, 26},
    {QLocale::Serbian, 26},
    {QLocale::Bosnian, 26},
    {QLocale::Slovak, 27},
    {QLocale::Albanian, 28},
    {QLocale::Swedish, 29},
    {QLocale::Thai, 30},
    {QLocale::Turkish, 31},
    {QLocale::Urdu, 32},
    {QLocale::Indonesian, 33},
    {QLocale::Ukrainian, 34},
    {QLocale::Belarusian, 35},
    {QLocale::Slovenian, 36},
    {QLocale::Estonian, 37},
    {QLocale::Latvian, 38},
    {QLocale::Lithuanian, 39},
    {QLocale::Tajik, 40},
    {QLocale::Persian, 41},
    {QLocale::Vietnamese, 42},
    {QLocale::Armenian, 43},
    {QLocale::Azerbaijani, 44},
    {QLocale::Basque, 45},
    {QLocale::UpperSorbian, 46},
    {QLocale::LowerSorbian, 46},
    {QLocale::Macedonian, 47},
    {QLocale::SouthernSotho, 48},
    {QLocale::Tsonga, 49},
    {QLocale::Tswana, 50},
    {QLocale::Venda, 51},
    {QLocale::Xhosa, 52},
    {QLocale::Zulu, 53},
    {QLocale::Afrikaans, 54},
    {QLocale::Georgian, 55},
    {QLocale::Faroese, 56},
    {QLocale::Hindi, 57},
    {QLocale::Maltese, 58},
    {QLocale::NorthernSami, 59},
    {QLocale::Irish, 60},
    {QLocale::Malay, 62},
    {QLocale::Kazakh, 63},
    {QLocale::Kyrgyz, 64},
    {QLocale::Swahili, 65},
    {QLocale::Turkmen, 66},
    {QLocale::Uzbek, 67},
    {QLocale::Tatar, 68},
    {QLocale::Bengali, 69},
    {QLocale::Punjabi, 70},
    {QLocale::Gujarati, 71},
    {QLocale::Odia, 72},
    {QLocale::Tamil, 73},
    {QLocale::Telugu, 74},
    {QLocale::Kannada, 75},
    {QLocale::Malayalam, 76},
    {QLocale::Assamese, 77},
    {QLocale::Marathi, 78},
    {QLocale::Sanskrit, 79},
    {QLocale::Mongolian, 80},
    {QLocale::Tibetan, 81},
    {QLocale::Welsh, 82},
    {QLocale::Khmer, 83},
    {QLocale::Lao, 84},
    {QLocale::Galician, 86},
    {QLocale::Konkani, 87},
    {QLocale::Syriac, 90},
    {QLocale::Sinhala, 91},
    {QLocale::Amharic, 94},
    {QLocale::Nepali, 97},
    {QLocale::WesternFrisian, 98},
    {QLocale::Pashto, 99},
    {QLocale::Filipino, 100},
    {QLocale::Hausa, 104},
    {QLocale::Yoruba, 106},
    {QLocale::Luxembourgish, 110},
    {QLocale::Breton, 126},
    {QLocale::Corsican, 131},
};

const QString texteIntroSuite =
    u"Le traitement se déroulera en plusieurs étapes :§"
    u"   - recherche des logiciels installés (en fait, ça c'est déjà fait !)§"
    u"   - connexion au site de l'auteur pour rapatrier le référentiel des dernières versions§"
    u"   - affichage de la liste des téléchargements à effectuer§"
    u"   - sélection du dossier dans lequel les packages à télécharger seront placés§"
    u"   - téléchargement des packages§"
    u"   - et pour finir, installation de ceux-ci§§"
    u"Selon votre mode de connexion à Internet, il est possible que vous ayez à modifier les "
    u"paramètres par défaut via le lien \"Configurer...\"."_s;

// The catalogue's keys and their built-in texts, in loading order.
const std::pair<QString, QString> tableTraductions[] = {
    {u"TraductionIncomplète"_s, QString()},
    {u"TXT_INTRO"_s, u"Cet outil a pour rôle de rechercher l'existence de mises à jour des "
                     u"logiciels Korvane installés sur cet ordinateur."_s},
    {u"TXT_INTRO_SUITE"_s, texteIntroSuite},
    {u"TXT_CONNEXION_EN_COURS"_s,
     u"Connexion au site de l'auteur en cours pour rapatrier le référentiel des dernières "
     u"versions. Veuillez patienter quelques instants, svp..."_s},
    {u"TXT_LISTE_FICHIERS_INSTALLES"_s,
     u"Vous pouvez voir ci-dessous la liste des logiciels Korvane installés sur cette machine. "
     u"Quand la case en regard du nom d'un logiciel est cochée, cela signifie qu'une mise à "
     u"jour est disponible et qu'elle sera téléchargée à l'étape suivante. Vous pouvez "
     u"toutefois la décocher..."_s},
    {u"TXT_AUCUNE_MAJ_NECESSAIRE"_s, u"Les logiciels Korvane installés sur ce poste sont à "
                                     u"jour. Vous pouvez quitter cet outil..."_s},
    {u"TXT_STATUT_NON_PRIS_EN_CHARGE"_s, u"non pris en charge par KorvaneUpdate"_s},
    {u"TXT_STATUT_PUBLIEE"_s, u"publiée"_s},
    {u"TXT_STATUT_EN_ATTENTE"_s, u"en attente"_s},
    {u"TXT_STATUT_EN_COURS"_s, u"en cours"_s},
    {u"TXT_STATUT_OK"_s, u"OK"_s},
    {u"TXT_STATUT_ERREUR"_s, u"erreur"_s},
    {u"TXT_STATUT_TELECHARGEE"_s, u"téléchargée"_s},
    {u"TXT_STATUT_INSTALLEE"_s, u"installée"_s},
    {u"TXT_TRAITEMENT_DU_FICHIER"_s, u"%v de %v... %v"_s},
    {u"TXT_TRAITEMENT_TELECHARGEMENT"_s, u"téléchargement"_s},
    {u"TXT_TRAITEMENT_INSTALLATION"_s, u"installation"_s},
    {u"TXT_TRAITEMENT_SIGNATURE"_s, u"signature"_s},
    {u"TXT_SELECTION_CIBLE"_s, u"Veuillez sélectionner le dossier dans lequel le ou les "
                               u"fichiers à télécharger seront enregistrés."_s},
    {u"TXT_SELECTION_CIBLE_ATTENTION"_s, u"Attention : si des fichiers de même nom existent "
                                         u"déjà à cet emplacement, ils seront écrasés."_s},
    {u"TXT_SELECTION_CIBLE_SUITE"_s, u"Le téléchargement des mises à jour sélectionnées "
                                     u"débutera automatiquement à l'étape suivante..."_s},
    {u"TXT_MAJ_AVANCEMENT"_s, u"Téléchargé : %v sur %v (reste %v s.)"_s},
    {u"TXT_TELECHARGEMENT_EFFECTUE"_s,
     u"Un ou plusieurs téléchargements ont été effectués avec succès, ils seront "
     u"automatiquement installés à l'étape suivante. Cliquez sur \"Suivant >\" pour procéder "
     u"à cette opération ou sur \"Quitter\" si vous préférez l'effectuer manuellement."_s},
    {u"TXT_FERMETURE_APRES_INSTALLATION"_s,
     u"L'outil sera fermé dès la fin de l'installation en cours..."_s},
    {u"MSG_ERREUR_AUCUN_LOGICIEL_INSTALLE"_s,
     u"Aucun logiciel Korvane n'est installé sur ce poste...§§L'outil va être fermé."_s},
    {u"MSG_ERREUR_RECHERCHE_MAJ"_s,
     u"Impossible de se connecter pour rapatrier le référentiel des dernière versions.§§"
     u"Vérifiez votre accès à Internet ainsi que la disponibilité du site www.korvane.example "
     u"(à l'aide de votre navigateur) et, le cas échéant, la configuration du firewall et du "
     u"proxy..."_s},
    {u"TXT_ACCES_DEFAUT_IE"_s, u"D'après configuration IE"_s},
    {u"TXT_ACCES_DIRECT"_s, u"Connexion directe"_s},
    {u"TXT_ACCES_PROXY"_s, u"Connexion par proxy"_s},
    {u"TXT_MAJ_FREQUENCE_JOUR"_s, u"Une fois par jour"_s},
    {u"TXT_MAJ_FREQUENCE_SEMAINE"_s, u"Une fois par semaine"_s},
    {u"TXT_MAJ_FREQUENCE_MOIS"_s, u"Une fois par mois"_s},
    {u"MSG_ERREUR_PROXY_ADRESSE"_s,
     u"Pour ce type d'accès, le champ ADRESSE doit être renseigné..."_s},
    {u"MSG_ERREUR_PROXY_PORT"_s, u"Pour ce type d'accès, le champ PORT doit contenir une "
                                 u"valeur numérique entière comprise entre 0 et 65535..."_s},
    {u"MSG_ERREUR_PROXY_CARACTERE"_s,
     u"Le caractère « %v » ne peut pas être enregistré dans la configuration : seuls les "
     u"caractères de l'alphabet latin occidental (Windows-1252) sont acceptés..."_s},
    {u"MSG_CHANGEMENT_LANGUE"_s, u"Le changement de langue de l'interface sera pris en compte "
                                 u"après redémarrage du logiciel..."_s},
    {u"MSG_ERREUR_INITIALISATION"_s,
     u"Une erreur (%v) est survenue lors de l'initialisation de l'application :§§%v§§"
     u"Veuillez contacter l'auteur du logiciel si le problème persiste..."_s},
    {u"MSG_ERREUR"_s, u"Une erreur (%v) est survenue durant le traitement :§§%v§§Veuillez "
                      u"contacter l'auteur du logiciel si le problème persiste..."_s},
};

} // namespace

void colTraductions::Add(const QString& Code, const QString& Valeur) {
    const QString clé = Clé(Code);
    if (positions.contains(clé))
        throw ErreurRenovo::CléEnDouble();
    positions.insert(clé, valeurs.size());
    valeurs.append(Valeur);
}

QString colTraductions::Item(const QString& clé) const {
    const auto trouvée = positions.constFind(Clé(clé));
    return trouvée == positions.cend() ? QString() : valeurs.at(*trouvée);
}

bool colTraductions::Contains(const QString& clé) const {
    return positions.contains(Clé(clé));
}

QString colTraductions::Item(int position) const {
    return position >= 1 && position <= valeurs.size() ? valeurs.at(position - 1) : QString();
}

LangueLue::LangueLue(const QString& fichierLangue)
    : chemin(fichierLangue) {
    QFile fichier(fichierLangue);
    if (!chemin.isEmpty() && fichier.open(QIODevice::ReadOnly))
        contenu = fichier.readAll();
}

QString LangueLue::Traduction(const QString& clé, const QString& défaut) const {
    if (chemin.isEmpty())
        return AppliqueBalises(défaut);
    // A file that cannot be read has no line either: the block search is where that shows.
    if (!contenu)
        throw ErreurRenovo::FichierIntrouvable();
    const auto ligne = [this](const QString& nom) {
        return ValeurIni(*contenu, section, nom).value_or(QString()).left(longueurMaximale);
    };
    QString valeur = ligne(clé);
    if (valeur.size() >= 2 && valeur.startsWith(u'{') && valeur.endsWith(u'}'))
        valeur = ligne(valeur.mid(1, valeur.size() - 2));
    if (valeur.isEmpty())
        valeur = Bloc(*contenu, clé).value_or(défaut);
    return AppliqueBalises(valeur);
}

QString LitTraduction(const QString& fichierLangue, const QString& clé, const QString& défaut) {
    return LangueLue(fichierLangue).Traduction(clé, défaut);
}

void AjouteTraduction(colTraductions& traductions, const LangueLue& langue, const QString& clé,
                      const QString& défaut) {
    traductions.Add(clé, langue.Traduction(clé, défaut));
}

void AjouteTraduction(colTraductions& traductions, const QString& fichierLangue, const QString& clé,
                      const QString& défaut) {
    AjouteTraduction(traductions, LangueLue(fichierLangue), clé, défaut);
}

void ChargeTraductions(colTraductions& traductions, const QString& fichierLangue) {
    const LangueLue langue(fichierLangue);
    for (const auto& [clé, défaut] : tableTraductions)
        AjouteTraduction(traductions, langue, clé, défaut);
}

QString TexteIntégré(const QString& clé) {
    for (const auto& [code, défaut] : tableTraductions) {
        if (code.compare(clé, Qt::CaseInsensitive) == 0)
            return AppliqueBalises(défaut);
    }
    return {};
}

qint16 CodeLangue(const QLocale& locale) {
    for (const auto& [langue, code] : codesLangues) {
        if (langue == locale.language())
            return code;
    }
    return 0;
}

QLocale::Language LangueQt(qint16 code) {
    for (const auto& [langue, numéro] : codesLangues) {
        if (numéro == code && langue != QLocale::C)
            return langue;
    }
    return QLocale::AnyLanguage;
}

qint16 CodeLangueSystème() {
    return CodeLangue(QLocale::system());
}

QString TexteÀAfficher(QString texte) {
    return texte.replace(u"\r\n"_s, u"\n"_s);
}
