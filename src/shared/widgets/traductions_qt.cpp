#include "traductions_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool ChargeTraductionsQt(const QString& langue) {
    auto* traduction = new QTranslator(QCoreApplication::instance());
    if (!traduction->load(u"qtbase_"_s + langue,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduction;
        return false;
    }
    return QCoreApplication::installTranslator(traduction);
}
