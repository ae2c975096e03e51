#pragma once

#include "net/inet.h"
#include "parametres.h"

#include <QStringList>
#include <QTimer>

#include <functional>

// The request URL for a key name already converted (play/pause, multi-tap). Characters that
// would change the query are percent-encoded; plain codes and key names go out unchanged.
QString UrlTouche(const ParamètresNavelo& paramètres, const QString& touche, bool longue,
                  int répétitions);

// Sends every key to the box: one GET per key, at most one request in flight, answers
// thrown away as they arrive. Also holds the state of a key held down with the mouse.
class ExpéditeurTouches {
public:
    explicit ExpéditeurTouches(const ParamètresNavelo& paramètres);

    void TraiteTouche(const QString& touche);

    // Key zones of the model 5 picture: long press after 500 ms.
    void AppuiToucheV5(const QString& nomTouche);
    void RelâcheToucheV5(const QString& nomTouche);
    // Key zones of the model 6 picture: sent at once, repeated while held.
    void AppuiToucheV6(const QString& nomTouche);
    void RelâcheToucheV6();
    // Holds a key without sending it: its long press (model 5) or first repeat after 500 ms.
    void ArmeToucheTenue(const QString& nomTouche);
    // A model 5 key pressed and held past the hold delay, in one go: its long press alone.
    void AppuiLong(const QString& nomTouche);
    // The play key's toggle: "play" or "pause" by turns, the box's own state not being known.
    QString ChoisitLecture();

    // Told each time the toggle turns.
    std::function<void(bool enLecture)> quandLectureChange;

    // Shared with the keyboard and channel list windows.
    QString ToucheEnCours;
    bool ToucheLongue = false;
    QTimer tmrLong;
    QStringList CollectionMultiTap;

private:
    void Envoie(const QString& envoyée, int répétitions);
    void EnvoieToucheTenue(const QString& nomTouche);
    void tmrLong_Timer();

    const ParamètresNavelo& paramètres;
    bool LectureEnCours = false;
    // "play" or "pause" as the press of the held play key chose it; empty for other keys.
    QString lectureTenue;
    Inet netConnexion;
};
