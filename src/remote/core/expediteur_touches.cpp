#include "expediteur_touches.h"

#include "guide/multitap.h"
#include "texte.h"

using namespace Qt::StringLiterals;

namespace {

const QString modèleUrl = u"http://%v.freebox.fr/pub/remote_control?code=%v&key=%v"_s;

bool ChangeLaRequête(char32_t c) {
    return c <= 0x20 || c >= 0x7F || c == U'&' || c == U'#' || c == U'=' || c == U'?' ||
           c == U'%' || c == U'+';
}

// Done before the template is filled, so "%v" in a value cannot be taken for a placeholder.
QString ProtègeValeur(const QString& valeur) {
    QString résultat;
    for (const char32_t c : valeur.toUcs4()) {
        if (!ChangeLaRequête(c)) {
            résultat += QChar(static_cast<char16_t>(c));
            continue;
        }
        // None of these characters is unreserved, so every byte of it comes out encoded.
        résultat += QString::fromLatin1(QString::fromUcs4(&c, 1).toUtf8().toPercentEncoding());
    }
    return résultat;
}

} // namespace

QString UrlTouche(const ParamètresNavelo& paramètres, const QString& touche, bool longue,
                  int répétitions) {
    QString url = FormateTexte(modèleUrl,
                               {u"hd"_s + QString::number(paramètres.Hd),
                                ProtègeValeur(paramètres.CodeTélécommande), ProtègeValeur(touche)});
    if (longue)
        url += u"&long=true"_s;
    if (répétitions >= 2)
        url += u"&repeat="_s + QString::number(répétitions);
    return url;
}

ExpéditeurTouches::ExpéditeurTouches(const ParamètresNavelo& paramètres)
    : paramètres(paramètres) {
    tmrLong.setInterval(500);
    tmrLong.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tmrLong, &QTimer::timeout, &tmrLong, [this] { tmrLong_Timer(); });
    netConnexion.setAccessType(Inet::icUseDefault);
    // A broken box or proxy answering without end must not fill the memory.
    netConnexion.setCorpsIgnoré(true);
}

void ExpéditeurTouches::TraiteTouche(const QString& touche) {
    if (touche.isEmpty())
        return;
    if (touche == u"play"_s) {
        Envoie(ChoisitLecture(), 1);
        return;
    }
    const QString multiTap = RechercheMultiTap(CollectionMultiTap, touche);
    if (multiTap.isEmpty())
        Envoie(touche, 1);
    else
        Envoie(multiTap.mid(1, 1), multiTap.at(0).digitValue());
}

QString ExpéditeurTouches::ChoisitLecture() {
    LectureEnCours = !LectureEnCours;
    if (quandLectureChange)
        quandLectureChange(LectureEnCours);
    return LectureEnCours ? u"play"_s : u"pause"_s;
}

void ExpéditeurTouches::Envoie(const QString& envoyée, int répétitions) {
    netConnexion.Cancel();
    netConnexion.setURL(UrlTouche(paramètres, envoyée, ToucheLongue, répétitions));
    netConnexion.Execute();
}

// A held play key toggles once, at its press; its repeats and long press keep that word.
void ExpéditeurTouches::EnvoieToucheTenue(const QString& nomTouche) {
    if (nomTouche == u"play"_s && !lectureTenue.isEmpty())
        Envoie(lectureTenue, 1);
    else
        TraiteTouche(nomTouche);
}

void ExpéditeurTouches::ArmeToucheTenue(const QString& nomTouche) {
    // A repeat of an earlier key left the timer at its repeat interval.
    tmrLong.setInterval(500);
    tmrLong.start();
    ToucheEnCours = nomTouche;
    ToucheLongue = false;
}

void ExpéditeurTouches::AppuiLong(const QString& nomTouche) {
    AppuiToucheV5(nomTouche);
    tmrLong_Timer();
    RelâcheToucheV5(nomTouche);
}

void ExpéditeurTouches::AppuiToucheV5(const QString& nomTouche) {
    ArmeToucheTenue(nomTouche);
    lectureTenue = nomTouche == u"play"_s ? ChoisitLecture() : QString();
}

void ExpéditeurTouches::RelâcheToucheV5(const QString& nomTouche) {
    if (!ToucheLongue)
        EnvoieToucheTenue(nomTouche);
    tmrLong.stop();
    ToucheLongue = false;
    lectureTenue.clear();
}

void ExpéditeurTouches::AppuiToucheV6(const QString& nomTouche) {
    ArmeToucheTenue(nomTouche);
    lectureTenue = nomTouche == u"play"_s ? ChoisitLecture() : QString();
    EnvoieToucheTenue(ToucheEnCours);
}

void ExpéditeurTouches::RelâcheToucheV6() {
    tmrLong.stop();
    ToucheLongue = false;
    lectureTenue.clear();
}

void ExpéditeurTouches::tmrLong_Timer() {
    if (paramètres.Version == 5) {
        tmrLong.stop();
        ToucheLongue = true;
    } else {
        tmrLong.setInterval(200);
    }
    EnvoieToucheTenue(ToucheEnCours);
}
