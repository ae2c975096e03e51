#include "bureau_navelo.h"

#include <QTimer>

using namespace Qt::StringLiterals;

BureauNavelo::BureauNavelo(ExpéditeurTouches& expéditeur, const ParamètresNavelo& paramètres,
                           QObject& contexte, Fenêtres fenêtres)
    : expéditeur(expéditeur)
    , paramètres(paramètres)
    , contexte(contexte)
    , fenêtres(std::move(fenêtres)) {
    expéditeur.quandLectureChange = [this](bool enLecture) {
        if (lecteur)
            lecteur->LectureEnCours(enLecture);
    };
}

BureauNavelo::~BureauNavelo() {
    expéditeur.quandLectureChange = nullptr;
}

void BureauNavelo::Commande(const QByteArray& ligne,
                            std::function<void(const QByteArray&)> répond) {
    if (!ouvert) {
        enAttente.emplace_back(ligne, std::move(répond));
        return;
    }
    const std::optional<DemandeTouches> demande = LitCommandeTouches(ligne);
    if (!demande) {
        répond({});
        return;
    }
    EnvoieTouches(expéditeur, paramètres, *demande, contexte,
                  [répond = std::move(répond)](const RésultatTouches& résultat) {
                      répond(RéponseTouches(résultat));
                  });
}

void BureauNavelo::Ouvre() {
    ouvert = true;
    lecteur = PublieLecteurBureau(
        {u"navelo"_s, u"Navelo"_s, u"navelo"_s,
         paramètres.Version == 6 ? u"Freebox Player (v6)"_s : u"Freebox HD (v5)"_s},
        [this](ActionLecteur action) { Action(action); });
    for (auto& [ligne, répond] : std::exchange(enAttente, {}))
        Commande(ligne, std::move(répond));
}

void BureauNavelo::Ferme() {
    ouvert = false;
    lecteur.reset();
}

void BureauNavelo::Action(ActionLecteur action) {
    switch (action) {
    case ActionLecteur::LectureOuPause:
        return expéditeur.TraiteTouche(u"play"_s);
    case ActionLecteur::Suivant:
        return expéditeur.TraiteTouche(u"prgm_inc"_s);
    case ActionLecteur::Précédent:
        return expéditeur.TraiteTouche(u"prgm_dec"_s);
    case ActionLecteur::Arrêt:
        return expéditeur.TraiteTouche(u"stop"_s);
    case ActionLecteur::Avance:
        return expéditeur.TraiteTouche(u"fwd"_s);
    case ActionLecteur::Recul:
        return expéditeur.TraiteTouche(u"bwd"_s);
    case ActionLecteur::Montre:
        return fenêtres.montre();
    case ActionLecteur::Quitte:
        // The player goes with the program: not while it is still answering this call.
        QTimer::singleShot(0, &contexte, [this] { fenêtres.quitte(); });
        return;
    }
}
