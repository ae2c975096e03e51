#include "lecteur_bureau.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

#include <utility>

using namespace Qt::StringLiterals;

// The MPRIS interfaces, which every Linux desktop's media controls drive.
namespace {

const QString chemin = u"/org/mpris/MediaPlayer2"_s;
const QString interfaceLecteur = u"org.mpris.MediaPlayer2.Player"_s;

class RacineMpris : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ Oui)
    Q_PROPERTY(bool CanRaise READ Oui)
    Q_PROPERTY(bool HasTrackList READ Non)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ Aucun)
    Q_PROPERTY(QStringList SupportedMimeTypes READ Aucun)

public:
    RacineMpris(QObject* parent, const DescriptionLecteur& description,
                const std::function<void(ActionLecteur)>& action)
        : QDBusAbstractAdaptor(parent)
        , description(description)
        , action(action) {}

    bool Oui() const { return true; }
    bool Non() const { return false; }
    QString Identity() const { return description.identité; }
    QString DesktopEntry() const { return description.entréeBureau; }
    QStringList Aucun() const { return {}; }

public Q_SLOTS:
    void Raise() { action(ActionLecteur::Montre); }
    void Quit() { action(ActionLecteur::Quitte); }

private:
    const DescriptionLecteur& description;
    const std::function<void(ActionLecteur)>& action;
};

// No track list, no place in a track, no volume of its own: the keys of a remote.
class LecteurMpris : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Un)
    Q_PROPERTY(double MinimumRate READ Un)
    Q_PROPERTY(double MaximumRate READ Un)
    Q_PROPERTY(double Volume READ Un)
    Q_PROPERTY(qlonglong Position READ Zero)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(bool CanGoNext READ Oui)
    Q_PROPERTY(bool CanGoPrevious READ Oui)
    Q_PROPERTY(bool CanPlay READ Oui)
    Q_PROPERTY(bool CanPause READ Oui)
    Q_PROPERTY(bool CanSeek READ Oui)
    Q_PROPERTY(bool CanControl READ Oui)

public:
    LecteurMpris(QObject* parent, const DescriptionLecteur& description,
                 const std::function<void(ActionLecteur)>& action)
        : QDBusAbstractAdaptor(parent)
        , description(description)
        , action(action) {}

    QString PlaybackStatus() const { return enLecture ? u"Playing"_s : u"Paused"_s; }
    double Un() const { return 1.0; }
    qlonglong Zero() const { return 0; }
    bool Oui() const { return true; }
    QVariantMap Metadata() const {
        return {{u"mpris:trackid"_s,
                 QVariant::fromValue(QDBusObjectPath(u"/"_s + description.nom + u"/box"_s))},
                {u"xesam:title"_s, description.titre}};
    }

    bool enLecture = false;

public Q_SLOTS:
    // The box's one play key toggles; its state is not known here.
    void PlayPause() { action(ActionLecteur::LectureOuPause); }
    void Play() { action(ActionLecteur::LectureOuPause); }
    void Pause() { action(ActionLecteur::LectureOuPause); }
    void Next() { action(ActionLecteur::Suivant); }
    void Previous() { action(ActionLecteur::Précédent); }
    void Stop() { action(ActionLecteur::Arrêt); }
    void Seek(qlonglong Offset) {
        if (Offset != 0)
            action(Offset > 0 ? ActionLecteur::Avance : ActionLecteur::Recul);
    }

private:
    const DescriptionLecteur& description;
    const std::function<void(ActionLecteur)>& action;
};

class LecteurMprisPublié : public LecteurBureau {
public:
    LecteurMprisPublié(DescriptionLecteur description, std::function<void(ActionLecteur)> action)
        : description(std::move(description))
        , action(std::move(action))
        , service(u"org.mpris.MediaPlayer2."_s + this->description.nom) {
        new RacineMpris(&objet, this->description, this->action);
        lecteur = new LecteurMpris(&objet, this->description, this->action);
    }

    ~LecteurMprisPublié() override {
        if (!publié)
            return;
        // At exit() (the display gone), Qt D-Bus may already be torn down; the bus then
        // drops the name with the connection.
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return;
        bus.unregisterObject(chemin);
        bus.unregisterService(service);
    }

    bool Publie() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.registerObject(chemin, &objet))
            return false;
        // Only the name's first owner gets the calls; a second program stays out of the way.
        if (!bus.registerService(service)) {
            bus.unregisterObject(chemin);
            return false;
        }
        publié = true;
        return true;
    }

    void LectureEnCours(bool enLecture) override {
        if (lecteur->enLecture == enLecture)
            return;
        lecteur->enLecture = enLecture;
        QDBusMessage signal = QDBusMessage::createSignal(
            chemin, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s);
        signal << interfaceLecteur << QVariantMap{{u"PlaybackStatus"_s, lecteur->PlaybackStatus()}}
               << QStringList();
        QDBusConnection::sessionBus().send(signal);
    }

private:
    const DescriptionLecteur description;
    const std::function<void(ActionLecteur)> action;
    const QString service;
    QObject objet;
    LecteurMpris* lecteur = nullptr;
    bool publié = false;
};

} // namespace

std::unique_ptr<LecteurBureau> PublieLecteurBureau(const DescriptionLecteur& description,
                                                   std::function<void(ActionLecteur)> action) {
    auto lecteur = std::make_unique<LecteurMprisPublié>(description, std::move(action));
    if (!lecteur->Publie())
        return nullptr;
    return lecteur;
}

#include "lecteur_bureau_linux.moc"
