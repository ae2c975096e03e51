#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real tinyproxy on a free loopback port for the life of the object, asking for basic
// authentication when given a user name.
class Tinyproxy {
public:
    explicit Tinyproxy(const QString& utilisateur = {}, const QString& motDePasse = {});
    ~Tinyproxy();

    // 0 when it could not start.
    quint16 port() const { return m_port; }
    // Requests it has received so far, answered or refused.
    int requêtes() const;

private:
    QTemporaryDir m_dossier;
    QProcess m_processus;
    quint16 m_port = 0;
};
