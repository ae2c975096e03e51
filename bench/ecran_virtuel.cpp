#include "ecran_virtuel.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cstdlib>
#include <poll.h>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

struct ÉcranVirtuel::Privé {
    QProcess xvfb;
    QByteArray affichage;
    xcb_connection_t* connexion = nullptr;
    xcb_atom_t nomUtf8 = XCB_NONE;
    xcb_atom_t typeFenêtre = XCB_NONE;
    xcb_atom_t typeSplash = XCB_NONE;

    xcb_atom_t Atome(const QByteArray& nom) const {
        xcb_intern_atom_reply_t* réponse = xcb_intern_atom_reply(
            connexion, xcb_intern_atom(connexion, 0, static_cast<uint16_t>(nom.size()), nom.data()),
            nullptr);
        const xcb_atom_t atome = réponse ? réponse->atom : XCB_NONE;
        std::free(réponse);
        return atome;
    }

    QByteArray Propriété(xcb_window_t fenêtre, xcb_atom_t propriété) const {
        const xcb_get_property_cookie_t demande =
            xcb_get_property(connexion, 0, fenêtre, propriété, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
        xcb_get_property_reply_t* réponse = xcb_get_property_reply(connexion, demande, nullptr);
        if (!réponse)
            return {};
        const QByteArray valeur(static_cast<const char*>(xcb_get_property_value(réponse)),
                                xcb_get_property_value_length(réponse));
        std::free(réponse);
        return valeur;
    }

    // A main window, not the splash screen shown before it under the same title.
    bool FenêtrePrincipale(xcb_window_t fenêtre, const QByteArray& titre) const {
        QByteArray nom = Propriété(fenêtre, nomUtf8);
        if (nom.isEmpty())
            nom = Propriété(fenêtre, XCB_ATOM_WM_NAME);
        const QByteArray types = Propriété(fenêtre, typeFenêtre);
        const QByteArrayView splash(reinterpret_cast<const char*>(&typeSplash), sizeof typeSplash);
        return nom == titre && !types.contains(splash);
    }
};

ÉcranVirtuel::ÉcranVirtuel()
    : d(std::make_unique<Privé>()) {}

ÉcranVirtuel::~ÉcranVirtuel() {
    if (d->connexion)
        xcb_disconnect(d->connexion);
    d->xvfb.terminate();
    d->xvfb.waitForFinished();
}

bool ÉcranVirtuel::démarre() {
    // Xvfb picks a free display and writes its number on standard output.
    d->xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1280x1024x24"_s,
                              u"-nolisten"_s, u"tcp"_s});
    if (!d->xvfb.waitForStarted() || !d->xvfb.waitForReadyRead(10'000))
        return false;
    d->affichage = ':' + d->xvfb.readAllStandardOutput().trimmed();
    d->connexion = xcb_connect(d->affichage.constData(), nullptr);
    if (xcb_connection_has_error(d->connexion))
        return false;
    const xcb_screen_t* écran = xcb_setup_roots_iterator(xcb_get_setup(d->connexion)).data;
    // Without a window manager, every top-level window is a child of the root window.
    const uint32_t masque = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(d->connexion, écran->root, XCB_CW_EVENT_MASK, &masque);
    d->nomUtf8 = d->Atome("_NET_WM_NAME");
    d->typeFenêtre = d->Atome("_NET_WM_WINDOW_TYPE");
    d->typeSplash = d->Atome("_NET_WM_WINDOW_TYPE_SPLASH");
    xcb_flush(d->connexion);
    return true;
}

double ÉcranVirtuel::Lance(QProcess& processus, const QString& programme,
                           const QStringList& arguments, QProcessEnvironment environnement,
                           const QByteArray& titre) {
    environnement.insert(u"DISPLAY"_s, QString::fromLatin1(d->affichage));
    environnement.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    processus.setProcessEnvironment(environnement);
    processus.setStandardOutputFile(QProcess::nullDevice());
    processus.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer chrono;
    chrono.start();
    processus.start(programme, arguments);

    const QDeadlineTimer échéance(20'000);
    pollfd attente{xcb_get_file_descriptor(d->connexion), POLLIN, 0};
    while (!échéance.hasExpired()) {
        xcb_generic_event_t* évènement = xcb_poll_for_event(d->connexion);
        if (!évènement) {
            poll(&attente, 1, static_cast<int>(qMin<qint64>(échéance.remainingTime(), 100)));
            continue;
        }
        const bool montrée = (évènement->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_window_t fenêtre = reinterpret_cast<xcb_map_notify_event_t*>(évènement)->window;
        std::free(évènement);
        if (montrée && d->FenêtrePrincipale(fenêtre, titre))
            return static_cast<double>(chrono.nsecsElapsed()) / 1e6;
    }
    return -1;
}

qint64 PicMémoireKo(qint64 pid) {
    QFile état(u"/proc/%1/status"_s.arg(pid));
    if (!état.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& ligne : état.readAll().split('\n')) {
        if (ligne.startsWith("VmHWM:"))
            return ligne.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

void Arrête(QProcess& processus) {
    processus.kill();
    processus.waitForFinished();
}
