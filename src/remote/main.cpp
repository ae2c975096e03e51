#include "core/dessin_icone.h"
#include "core/frmNavelo.h"
#include "core/ligne_commande.h"
#include "demandes_fin.h"
#include "plateforme_graphique.h"
#include "traductions_qt.h"

#include <QApplication>

#include <vector>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    // Asked for on the command line rather than in the environment, which the programs that
    // Navelo opens would inherit.
    std::vector<char*> arguments(argv, argv + argc);
    QStringList textes;
    for (char* argument : arguments)
        textes.append(QString::fromLocal8Bit(argument));
    // Keys sent from a shortcut or a script need no display.
    if (DemandeLigneDeCommande(textes))
        return ExécuteLigneDeCommande(argc, argv);
    QByteArray plateforme = PlateformeGraphique(QProcessEnvironment::systemEnvironment(), textes);
    char optionPlateforme[] = "-platform";
    if (!plateforme.isEmpty()) {
        arguments.push_back(optionPlateforme);
        arguments.push_back(plateforme.data());
    }
    int nombre = int(arguments.size());
    arguments.push_back(nullptr);

    QApplication application(nombre, arguments.data());
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
