#pragma once

#include <csignal>
#include <sys/resource.h>

// A file size limit of the process for one scope: writes beyond it fail as on a full disk.
class LimiteFichiers {
public:
    explicit LimiteFichiers(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant);
        signalAvant = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{octets, avant.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteFichiers() {
        setrlimit(RLIMIT_FSIZE, &avant);
        std::signal(SIGXFSZ, signalAvant);
    }

private:
    rlimit avant{};
    void (*signalAvant)(int) = nullptr;
};
