#include "textes_ligne_commande.h"

#include <QLocale>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The key names, two spaces in, lines of at most 78 characters.
QString Colonnes(const QStringList& noms) {
    QString texte;
    QString ligne = u" "_s;
    for (const QString& nom : noms) {
        if (ligne.size() + 1 + nom.size() > 78) {
            texte += ligne + u'\n';
            ligne = u" "_s;
        }
        ligne += u' ' + nom;
    }
    return texte + ligne + u'\n';
}

} // namespace

TextesLigneCommande::TextesLigneCommande(QString commande)
    : commande(std::move(commande))
    , français(QLocale::system().uiLanguages().value(0).startsWith(u"fr"_s)) {}

QString TextesLigneCommande::Message(const QString& texte) const {
    return commande + (français ? u" : "_s : u": "_s) + texte;
}

QString TextesLigneCommande::Aide(const QStringList& nomsTouches) const {
    if (français)
        return uR"(Utilisation : %1 [--key NOM[,NOM...] [--long]]

La Navelo est une télécommande des boîtiers Freebox HD (v5) et Player (v6).
Sans option, elle montre la télécommande, ou fait revenir celle qui est déjà
ouverte.

Options :
  --key NOM[,NOM...]  envoie ces touches au boîtier, dans l'ordre, puis
                      s'arrête. La télécommande ouverte les envoie ; sinon la
                      Navelo les envoie elle-même avec ses paramètres, sans
                      fenêtre.
  --long              avec --key : chaque touche en appui long (boîtier v5).
  -h, --help          affiche cette aide.

Noms des touches :
%2
Code de sortie : 0 quand le boîtier a accepté toutes les touches, 1 quand une
touche n'a pas pu être envoyée, 2 pour une ligne de commande erronée.

Un raccourci du bureau qui monte le son lance : %1 --key vol_inc
)"_s.arg(commande, Colonnes(nomsTouches));
    return uR"(Usage: %1 [--key NAME[,NAME...] [--long]]

Navelo is a remote control for the Freebox HD (v5) and Player (v6) boxes.
Without options, it shows the remote, or brings back the one already open.

Options:
  --key NAME[,NAME...]  sends these keys to the box, in order, then ends. The
                        open remote sends them; otherwise Navelo sends them
                        itself with its settings, without a window.
  --long                with --key: each key is a long press (v5 box).
  -h, --help            shows this help.

Key names:
%2
Exit status: 0 when the box accepted every key, 1 when a key could not be sent,
2 for a wrong command line.

A desktop shortcut that turns the sound up runs: %1 --key vol_inc
)"_s.arg(commande, Colonnes(nomsTouches));
}

QString TextesLigneCommande::OptionInconnue(const QString& option) const {
    return Message((français ? u"option inconnue « %1 » (voir %2 --help)."_s
                             : u"unknown option \"%1\" (see %2 --help)."_s)
                       .arg(option, commande));
}

QString TextesLigneCommande::ValeurManquante() const {
    return Message(français ? u"--key attend un ou plusieurs noms de touches, séparés par des "
                              u"virgules."_s
                            : u"--key needs one or more key names, separated by commas."_s);
}

QString TextesLigneCommande::ArgumentInattendu(const QString& argument) const {
    return Message((français ? u"argument inattendu « %1 » (voir %2 --help)."_s
                             : u"unexpected argument \"%1\" (see %2 --help)."_s)
                       .arg(argument, commande));
}

QString TextesLigneCommande::LongueSansTouches() const {
    return Message(français ? u"--long va avec --key."_s : u"--long goes with --key."_s);
}

QString TextesLigneCommande::ToucheInconnue(const QString& touche) const {
    return Message((français ? u"touche inconnue « %1 » ; rien n'est envoyé (%2 --help donne "
                               u"les noms)."_s
                             : u"unknown key \"%1\"; nothing is sent (%2 --help lists the "
                               u"names)."_s)
                       .arg(touche, commande));
}

QString TextesLigneCommande::TélécommandeMuette() const {
    return Message(français ? u"la télécommande ouverte ne répond pas."_s
                            : u"the open remote does not answer."_s);
}

QString TextesLigneCommande::Échec(const RésultatTouches& résultat) const {
    switch (résultat.issue) {
    case IssueTouches::CodeManquant:
        return Message(français ? u"aucun code télécommande n'est enregistré ; ouvrez la "
                                  u"Navelo pour le saisir."_s
                                : u"no remote code is stored; open Navelo to enter it."_s);
    case IssueTouches::Injoignable:
        return Message((français ? u"le boîtier ne répond pas (touche %1)."_s
                                 : u"the box does not answer (key %1)."_s)
                           .arg(résultat.touche));
    case IssueTouches::CodeRefusé:
        return Message((français ? u"le boîtier refuse le code télécommande (touche %1)."_s
                                 : u"the box refuses the remote code (key %1)."_s)
                           .arg(résultat.touche));
    case IssueTouches::ToucheRefusée:
    case IssueTouches::Acceptées:
        break;
    }
    return Message((français ? u"le boîtier refuse la touche %1 (HTTP %2)."_s
                             : u"the box refuses the key %1 (HTTP %2)."_s)
                       .arg(résultat.touche)
                       .arg(résultat.statut));
}
