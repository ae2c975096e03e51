#include "core/dessin_icone.h"
#include "wizard/dessins_renovo.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

using namespace Qt::StringLiterals;

// Writes a program's icon as the PNG files of an icon theme, for the desktop's menu:
// FOLDER/hicolor/<size>x<size>/apps/<program>.png.
int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    const QString programme = arguments.value(1);
    if (arguments.size() != 3 || (programme != u"navelo"_s && programme != u"renovo"_s)) {
        std::fputs("usage: program-icons navelo|renovo FOLDER\n", stderr);
        return 2;
    }
    const QIcon icône = programme == u"navelo"_s ? IcôneNavelo() : IcôneRenovo();
    for (const QSize& taille : icône.availableSizes()) {
        const QString dossier = u"%1/hicolor/%2x%3/apps"_s.arg(arguments.at(2))
                                    .arg(taille.width())
                                    .arg(taille.height());
        if (!QDir().mkpath(dossier) ||
            !icône.pixmap(taille).save(dossier + u'/' + programme + u".png"_s, "PNG")) {
            std::fprintf(stderr, "program-icons: cannot write %s\n", qPrintable(dossier));
            return 1;
        }
    }
    return 0;
}
