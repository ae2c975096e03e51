#include "core/dessin_icone.h"
#include "core/frmNavelo.h"
#include "demandes_fin.h"
#include "traductions_qt.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Navelo"_s);
    QApplication::setApplicationVersion(QStringLiteral(NAVELO_VERSION));
    QApplication::setWindowIcon(IcôneFenêtres());
    // The interface is French: Qt's own texts too, whatever the system's language.
    ChargeTraductionsQt(u"fr"_s);
    // Hidden in the notification area, the program has no window shown and still runs.
    QApplication::setQuitOnLastWindowClosed(false);

    frmNavelo fenêtre;
    QObject::connect(&fenêtre, &frmNavelo::programEnded, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // A program living in the notification area usually ends with the session, not by Quit.
    const DemandesDeFin demandesDeFin([&fenêtre] { fenêtre.Termine(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &fenêtre, &frmNavelo::Termine);
    if (!fenêtre.Form_Load())
        return 0;
    return QApplication::exec();
}
