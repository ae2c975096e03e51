#pragma once

#include <QString>

#include <functional>
#include <memory>

// What the desktop's media controls (media keys, panels, a phone) ask of a program.
enum class ActionLecteur {
    LectureOuPause,
    Suivant,
    Précédent,
    Arrêt,
    Avance,
    Recul,
    Montre,
    Quitte
};

// The program as a media player of the desktop, for as long as the object lives.
class LecteurBureau {
public:
    virtual ~LecteurBureau() = default;
    // Tells the desktop whether the program believes the box plays or is paused.
    virtual void LectureEnCours(bool enLecture) = 0;
};

struct DescriptionLecteur {
    // The player's own name among the desktop's players ("navelo").
    QString nom;
    // As users know the program ("Navelo").
    QString identité;
    // Its menu entry's file name without ".desktop".
    QString entréeBureau;
    // What it plays: the box it drives.
    QString titre;
};

// Nothing where the desktop has no such service (no session bus, Windows), or when another
// program already took the name: the program runs without it.
std::unique_ptr<LecteurBureau> PublieLecteurBureau(const DescriptionLecteur& description,
                                                   std::function<void(ActionLecteur)> action);
