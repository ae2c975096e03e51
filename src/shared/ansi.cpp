#include "ansi.h"

#include <array>

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the page is Latin-1.
constexpr std::array<char16_t, 32> plage80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString DepuisAnsi(QByteArrayView octets) {
    QString texte(octets.size(), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (const char octet : octets) {
        const auto b = static_cast<unsigned char>(octet);
        *sortie++ = (b >= 0x80 && b < 0xA0) ? QChar(plage80[b - 0x80]) : QChar(char16_t(b));
    }
    return texte;
}

char CaractèreAnsi(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < plage80.size(); ++i) {
        if (plage80[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

QByteArray EnAnsi(QStringView texte) {
    QByteArray octets;
    octets.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        // A character beyond the 16-bit plane is one character, hence one "?".
        if (texte[i].isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate())
            ++i;
        octets.append(CaractèreAnsi(texte[i]));
    }
    return octets;
}
