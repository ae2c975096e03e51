#pragma once

#include <QObject>

#include <functional>

// The system asking the program to end rather than the user: on Linux SIGTERM (logout,
// shutdown, kill), SIGINT and SIGHUP, and an exit() that the libraries call themselves (Qt
// does when the X server goes away). `fin` runs on the event loop of the thread that made the
// object, never inside a signal handler; at exit() it runs at once, the event loop being gone.
// A signal ignored when the object is made (nohup) stays ignored. One object at a time; the
// signals take back their former handling when it goes.
class DemandesDeFin : public QObject {
public:
    explicit DemandesDeFin(std::function<void()> fin, QObject* parent = nullptr);
    ~DemandesDeFin() override;

    DemandesDeFin(const DemandesDeFin&) = delete;
    DemandesDeFin& operator=(const DemandesDeFin&) = delete;

private:
    std::function<void()> fin;
};
