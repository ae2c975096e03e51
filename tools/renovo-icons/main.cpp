#include "wizard/dessins_renovo.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

using namespace Qt::StringLiterals;

// Writes Renovo's icon as the PNG files of an icon theme, for the desktop's menu:
// FOLDER/hicolor/<size>x<size>/apps/renovo.png.
int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: renovo-icons FOLDER\n", stderr);
        return 2;
    }
    const QIcon icône = IcôneRenovo();
    for (const QSize& taille : icône.availableSizes()) {
        const QString dossier = u"%1/hicolor/%2x%3/apps"_s.arg(arguments.at(1))
                                    .arg(taille.width())
                                    .arg(taille.height());
        if (!QDir().mkpath(dossier) ||
            !icône.pixmap(taille).save(dossier + u"/renovo.png"_s, "PNG")) {
            std::fprintf(stderr, "renovo-icons: cannot write %s\n", qPrintable(dossier));
            return 1;
        }
    }
    return 0;
}
