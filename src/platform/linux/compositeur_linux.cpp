#include "compositeur.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

template <typename Réponse> using RéponseXcb = std::unique_ptr<Réponse, decltype(&std::free)>;

// The screen of the display named by DISPLAY, the one Qt connects to.
int ÉcranX11() {
    char* hôte = nullptr;
    int affichage = 0;
    int écran = 0;
    if (!xcb_parse_display(nullptr, &hôte, &affichage, &écran))
        return 0;
    std::free(hôte);
    return écran;
}

} // namespace

bool CompositeurActif() {
    // A Wayland display server is its own compositor.
    if (QGuiApplication::platformName().startsWith(u"wayland"))
        return true;
    // Only on xcb: the offscreen platform answers for X11 too, without a connection.
    const auto* x11 = qGuiApp && QGuiApplication::platformName() == u"xcb"
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    xcb_connection_t* connexion = x11 ? x11->connection() : nullptr;
    if (!connexion)
        return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
    const QByteArray nom = "_NET_WM_CM_S" + QByteArray::number(ÉcranX11());
    const RéponseXcb<xcb_intern_atom_reply_t> atome(
        xcb_intern_atom_reply(connexion,
                              xcb_intern_atom(connexion, 1, uint16_t(nom.size()), nom.constData()),
                              nullptr),
        &std::free);
    if (!atome || atome->atom == XCB_ATOM_NONE)
        return false;
    const RéponseXcb<xcb_get_selection_owner_reply_t> propriétaire(
        xcb_get_selection_owner_reply(connexion, xcb_get_selection_owner(connexion, atome->atom),
                                      nullptr),
        &std::free);
    return propriétaire && propriétaire->owner != XCB_WINDOW_NONE;
}
