#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <memory>

// A display of the benchmark's own (Xvfb), on which programs are started and the moment
// their window is mapped, that is shown and exposed, is seen from outside the program.
class ÉcranVirtuel {
public:
    ÉcranVirtuel();
    ~ÉcranVirtuel();
    ÉcranVirtuel(const ÉcranVirtuel&) = delete;
    ÉcranVirtuel& operator=(const ÉcranVirtuel&) = delete;

    // False when Xvfb cannot be started or reached.
    bool démarre();

    // Starts the program on this display and returns the milliseconds from the start of the
    // process to the mapping of its top-level window titled `titre`; negative after 20 s.
    // The program is left running.
    double Lance(QProcess& processus, const QString& programme, const QStringList& arguments,
                 QProcessEnvironment environnement, const QByteArray& titre);

private:
    struct Privé;
    std::unique_ptr<Privé> d;
};

// The peak resident memory of a running process (VmHWM), in kilobytes; 0 when unknown.
qint64 PicMémoireKo(qint64 pid);

// Ends a program started by Lance.
void Arrête(QProcess& processus);
