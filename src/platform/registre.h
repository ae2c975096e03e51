#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// The registry roots, with the numbers the registry provider gives them.
enum class RacineRegistre : quint32 {
    HKEY_CURRENT_USER = 0x80000001,
    HKEY_LOCAL_MACHINE = 0x80000002,
};

// The little of the registry the updater reads: the subkeys of a key and string values.
class Registre {
public:
    virtual ~Registre() = default;
    // Sorted by name without regard to case; none when the key is missing.
    virtual QStringList SousClés(RacineRegistre racine, const QString& clé) const = 0;
    // Empty when the value is missing or is not a string.
    virtual QString LitChaîne(RacineRegistre racine, const QString& clé,
                              const QString& nom) const = 0;
};

// The system's registry. On Linux the uninstall key is a folder of files: one INI file per
// program, "korvane/uninstall/<subkey>.ini", section "Uninstall", under the system's data
// folders (the machine-wide root, the first folder holding a name wins) or under the
// user's data folder (the user's root).
std::unique_ptr<Registre> RegistreSystème();
