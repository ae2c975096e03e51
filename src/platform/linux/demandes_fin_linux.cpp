#include "demandes_fin.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::array signaux{SIGTERM, SIGINT, SIGHUP};
std::array<struct sigaction, signaux.size()> anciennes{};
std::array<bool, signaux.size()> installés{};

// The handler's end, then the event loop's.
int prises[2] = {-1, -1};
// The object's `fin`, for exit().
std::function<void()>* finEnCours = nullptr;

// Only what is safe in a signal handler: one byte down the socket. A full socket already
// holds a request, so a lost byte loses nothing.
void Signal(int) {
    const int erreur = errno;
    const char octet = 1;
    [[maybe_unused]] const ssize_t écrit = ::write(prises[0], &octet, 1);
    errno = erreur;
}

void ÀLaSortie() {
    if (finEnCours)
        (*finEnCours)();
}

} // namespace

DemandesDeFin::DemandesDeFin(std::function<void()> fin, QObject* parent)
    : QObject(parent)
    , fin(std::move(fin)) {
    finEnCours = &this->fin;
    static const bool sortieSurveillée = std::atexit(ÀLaSortie) == 0;
    Q_UNUSED(sortieSurveillée);

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, prises) != 0)
        return;
    auto* lecture = new QSocketNotifier(prises[1], QSocketNotifier::Read, this);
    connect(lecture, &QSocketNotifier::activated, this, [this] {
        char octets[64];
        while (::read(prises[1], octets, sizeof octets) > 0) {
        }
        this->fin();
    });

    struct sigaction action {};
    action.sa_handler = Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < signaux.size(); ++i) {
        struct sigaction actuelle {};
        if (::sigaction(signaux[i], nullptr, &actuelle) != 0 || actuelle.sa_handler == SIG_IGN)
            continue;
        installés[i] = ::sigaction(signaux[i], &action, &anciennes[i]) == 0;
    }
}

DemandesDeFin::~DemandesDeFin() {
    for (size_t i = 0; i < signaux.size(); ++i) {
        if (std::exchange(installés[i], false))
            ::sigaction(signaux[i], &anciennes[i], nullptr);
    }
    if (finEnCours == &fin)
        finEnCours = nullptr;
    for (int& prise : prises) {
        if (prise >= 0)
            ::close(prise);
        prise = -1;
    }
}
