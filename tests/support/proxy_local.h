#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sends every request of the program under test to a local server, as a user reaches a box
// through http_proxy.
inline void ProxyLocal(quint16 port) {
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(port));
    qunsetenv("no_proxy");
}
