#include "plateforme_graphique.h"

using namespace Qt::StringLiterals;

QByteArray PlateformeGraphique(const QProcessEnvironment& environnement,
                               const QStringList& arguments) {
    const auto défini = [&](const QString& nom) { return !environnement.value(nom).isEmpty(); };
    for (const QString& argument : arguments) {
        if (argument == u"-platform" || argument == u"--platform")
            return {};
    }
    const bool wayland =
        environnement.value(u"XDG_SESSION_TYPE"_s) == u"wayland" || défini(u"WAYLAND_DISPLAY"_s);
    if (défini(u"QT_QPA_PLATFORM"_s) || !wayland || !défini(u"DISPLAY"_s))
        return {};
    return "xcb";
}
