#include "demandes_fin.h"

// A program with windows and no console receives no console control events: the end of the
// session reaches it through Qt, as the session manager's quit.
DemandesDeFin::DemandesDeFin(std::function<void()> fin, QObject* parent)
    : QObject(parent)
    , fin(std::move(fin)) {}

DemandesDeFin::~DemandesDeFin() = default;
