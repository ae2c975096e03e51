#include "raccourci.h"

#include <QDir>
#include <QFile>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

using namespace Qt::StringLiterals;

namespace {

QString DossierSpécial(int identifiant) {
    wchar_t chemin[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, chemin, identifiant, FALSE))
        return QString();
    return QDir::fromNativeSeparators(QString::fromWCharArray(chemin));
}

// COM for the calling thread, for as long as the shortcut is written.
class InitialisationCom {
public:
    InitialisationCom()
        : résultat(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~InitialisationCom() {
        if (SUCCEEDED(résultat))
            CoUninitialize();
    }

private:
    HRESULT résultat;
};

} // namespace

// Qt writes .lnk files without arguments, so the shell's link interface does it.
bool CréeRaccourci(const QString& chemin, const QString& cible, const QString& arguments) {
    if (cible.isEmpty())
        return QFile::remove(chemin);

    InitialisationCom com;
    IShellLinkW* lien = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&lien)))) {
        return false;
    }
    bool écrit = false;
    const std::wstring programme = QDir::toNativeSeparators(cible).toStdWString();
    const std::wstring paramètres = arguments.toStdWString();
    IPersistFile* fichier = nullptr;
    if (SUCCEEDED(lien->SetPath(programme.c_str())) &&
        SUCCEEDED(lien->SetArguments(paramètres.c_str())) &&
        SUCCEEDED(lien->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&fichier)))) {
        const std::wstring destination = QDir::toNativeSeparators(chemin).toStdWString();
        écrit = SUCCEEDED(fichier->Save(destination.c_str(), TRUE));
        fichier->Release();
    }
    lien->Release();
    return écrit;
}

QString DossierDémarrageCommun() {
    return DossierSpécial(CSIDL_COMMON_STARTUP);
}

QString DossierDémarrageUtilisateur() {
    return DossierSpécial(CSIDL_STARTUP);
}

QString NomFichierRaccourci(const QString& nom) {
    return nom + u".lnk"_s;
}
