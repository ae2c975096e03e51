#include "demandes_fin.h"
#include "wizard/dessins_renovo.h"
#include "wizard/frmKorvaneUpdate.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Renovo"_s);
    QApplication::setOrganizationName(u"Korvane"_s);
    QApplication::setApplicationVersion(QStringLiteral(RENOVO_VERSION));
    QApplication::setWindowIcon(IcôneRenovo());

    OptionsRenovo options;
    options.arguments = QApplication::arguments().mid(1);
    frmKorvaneUpdate fenêtre(std::move(options));
    QObject::connect(&fenêtre, &frmKorvaneUpdate::programEnded, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    // The end of the session closes the window as Quit does, so the settings are written.
    const DemandesDeFin demandesDeFin([&fenêtre] { fenêtre.Termine(); });
    if (!fenêtre.Form_Load())
        return 0;
    return QApplication::exec();
}
