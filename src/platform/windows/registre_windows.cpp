#include "registre.h"

#include <QSettings>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString Racine(RacineRegistre racine) {
    return racine == RacineRegistre::HKEY_LOCAL_MACHINE ? u"HKEY_LOCAL_MACHINE\\"_s
                                                        : u"HKEY_CURRENT_USER\\"_s;
}

class RegistreWindows : public Registre {
public:
    QStringList SousClés(RacineRegistre racine, const QString& clé) const override {
        QStringList noms = QSettings(Racine(racine) + clé, QSettings::NativeFormat).childGroups();
        std::sort(noms.begin(), noms.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        return noms;
    }

    QString LitChaîne(RacineRegistre racine, const QString& clé,
                      const QString& nom) const override {
        const QVariant valeur = QSettings(Racine(racine) + clé, QSettings::NativeFormat).value(nom);
        return valeur.typeId() == QMetaType::QString ? valeur.toString() : QString();
    }
};

} // namespace

std::unique_ptr<Registre> RegistreSystème() {
    return std::make_unique<RegistreWindows>();
}
