#include "lecteur_bureau.h"

// Windows has no session bus; its media controls would need a window of the program.
std::unique_ptr<LecteurBureau> PublieLecteurBureau(const DescriptionLecteur&,
                                                   std::function<void(ActionLecteur)>) {
    return nullptr;
}
