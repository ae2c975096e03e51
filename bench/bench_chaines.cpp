#include "guide/chaines.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int échantillons = 7;
constexpr double cible = 1.5;

// The objects of the sample list, which the box writes compactly: no brace stands in a text.
QList<QByteArray> ObjetsExemple() {
    QFile fichier(QStringLiteral(EXEMPLE_CHAINES));
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    const QByteArray document = fichier.readAll();
    QList<QByteArray> objets;
    int profondeur = 0;
    qsizetype début = 0;
    for (qsizetype i = 0; i < document.size(); ++i) {
        if (document[i] == '{' && profondeur++ == 0)
            début = i;
        else if (document[i] == '}' && --profondeur == 0)
            objets.append(document.sliced(début, i - début + 1));
    }
    return objets;
}

// A cache file of `nombre` channels, the sample's objects over and over.
QByteArray Cache(const QList<QByteArray>& objets, int nombre) {
    QByteArray document = "[";
    for (int i = 0; i < nombre; ++i) {
        if (i > 0)
            document += ',';
        document += objets.at(i % objets.size());
    }
    return document + "]\r\n";
}

// Median time of one run, in nanoseconds, after one run to warm the caches; short runs are
// repeated to be measurable.
double Médiane(int répétitions, const std::function<void()>& travail) {
    travail();
    QList<double> temps;
    for (int e = 0; e < échantillons; ++e) {
        QElapsedTimer chrono;
        chrono.start();
        for (int r = 0; r < répétitions; ++r)
            travail();
        temps.append(static_cast<double>(chrono.nsecsElapsed()) / répétitions);
    }
    std::sort(temps.begin(), temps.end());
    return temps.at(échantillons / 2);
}

} // namespace

int main() {
    const QList<QByteArray> objets = ObjetsExemple();
    if (objets.isEmpty()) {
        std::fprintf(stderr, "bench_chaines: cannot read %s\n", EXEMPLE_CHAINES);
        return 1;
    }
    std::printf("Channel decoding: DécodeChaînes against QJsonDocument::fromJson on the same "
                "bytes,\nmedian of %d, time per channel (flat = linear); target ratio <= %.1f\n",
                échantillons, cible);
    std::printf("%10s %14s %14s %8s\n", "channels", "ours (ns)", "Qt JSON (ns)", "ratio");
    bool atteinte = true;
    for (const int nombre : {100, 1'000, 10'000, 100'000}) {
        const QByteArray document = Cache(objets, nombre);
        qsizetype lues = 0;
        const auto nôtre = [&] { lues = DécodeChaînes(document).size(); };
        const auto json = [&] { lues += QJsonDocument::fromJson(document).array().size(); };
        const int répétitions = std::max(1, 100'000 / nombre);
        const double tempsNôtre = Médiane(répétitions, nôtre) / nombre;
        const double tempsJson = Médiane(répétitions, json) / nombre;
        lues = 0;
        nôtre();
        json();
        if (lues != 2 * nombre) {
            std::fprintf(stderr, "bench_chaines: %lld channels read of %d\n",
                         static_cast<long long>(lues), 2 * nombre);
            return 1;
        }
        const double rapport = tempsNôtre / tempsJson;
        atteinte = atteinte && rapport <= cible;
        std::printf("%10d %14.1f %14.1f %8.2f\n", nombre, tempsNôtre, tempsJson, rapport);
    }
    std::printf("target %s\n", atteinte ? "met" : "MISSED");
    return 0;
}
