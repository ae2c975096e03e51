#include "raccourci.h"

#include <QDir>

void InscritDémarrage(const QString& nom, const QString& cible, const QString& arguments) {
    const QString fichier = NomFichierRaccourci(nom);
    const QString commun = QDir(DossierDémarrageCommun()).filePath(fichier);
    const QString utilisateur = QDir(DossierDémarrageUtilisateur()).filePath(fichier);
    if (cible.isEmpty()) {
        CréeRaccourci(commun, cible, arguments);
        CréeRaccourci(utilisateur, cible, arguments);
    } else if (!CréeRaccourci(commun, cible, arguments)) {
        CréeRaccourci(utilisateur, cible, arguments);
    }
}
