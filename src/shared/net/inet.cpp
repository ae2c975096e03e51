#include "inet.h"

#include "ansi.h"

#include <QAuthenticator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// The system's answer for one destination, kept for a short while.
struct ProxysRetenus {
    QUrl destination;
    QList<QNetworkProxy> proxys;
    QElapsedTimer âge;
};

// Asking the system (libproxy on Linux) costs a hand-off to its thread and several file reads,
// more than the rest of a request to the box: a burst of keys asks it once. A change of
// settings still takes effect within a second.
class ProxysSystème : public QNetworkProxyFactory {
public:
    explicit ProxysSystème(ProxysRetenus& retenus)
        : retenus(retenus) {}

    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& requête) override {
        const QUrl destination = requête.url().adjusted(
            QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo);
        if (!retenus.âge.isValid() || retenus.âge.hasExpired(1'000) ||
            retenus.destination != destination) {
            retenus.proxys = systemProxyForQuery(requête);
            retenus.destination = destination;
            retenus.âge.start();
        }
        return retenus.proxys;
    }

private:
    ProxysRetenus& retenus;
};

// What a progressive reading keeps in memory at most; Qt stops reading the connection beyond.
constexpr qint64 TamponProgressif = 64 * 1024;

// When a server closes the connection in the middle of the body, Qt sometimes ends the reply
// without an error; Content-Length tells.
bool corpsTronqué(const QNetworkReply& réponse, int statut, qint64 déjàLus) {
    if (réponse.operation() == QNetworkAccessManager::HeadOperation || statut < 200 ||
        statut == 204 || statut == 304 || réponse.hasRawHeader("Transfer-Encoding"))
        return false;
    bool nombre = false;
    const qint64 annoncé = réponse.header(QNetworkRequest::ContentLengthHeader).toLongLong(&nombre);
    return nombre && déjàLus + réponse.bytesAvailable() < annoncé;
}

// Qt reports a 4xx or 5xx status as an error once that whole answer is in; it is still an
// answer. A transfer cut short (timeout, connection lost, garbled reply) is not.
bool réponseComplète(const QNetworkReply& réponse, qint64 déjàLus) {
    const int statut = réponse.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (statut <= 0 || corpsTronqué(réponse, statut, déjàLus))
        return false;
    const QNetworkReply::NetworkError erreur = réponse.error();
    if (erreur == QNetworkReply::NoError)
        return true;
    const bool erreurDeStatut = (erreur >= QNetworkReply::ContentAccessDenied &&
                                 erreur <= QNetworkReply::UnknownContentError) ||
                                (erreur >= QNetworkReply::InternalServerError &&
                                 erreur <= QNetworkReply::UnknownServerError) ||
                                erreur == QNetworkReply::ProtocolInvalidOperationError ||
                                erreur == QNetworkReply::ProxyAuthenticationRequiredError;
    return statut >= 400 && erreurDeStatut;
}

QByteArray phraseDeStatut(const QNetworkReply& réponse) {
    const QVariant phrase = réponse.attribute(QNetworkRequest::HttpReasonPhraseAttribute);
    // Qt decodes the phrase as Latin-1 into a QString; back to the bytes the server sent.
    if (phrase.metaType().id() == QMetaType::QString)
        return phrase.toString().toLatin1();
    return phrase.toByteArray();
}

} // namespace

struct Inet::Privé {
    explicit Privé(Inet* q)
        : q(q) {}

    void lance(const QString& adresse, const QByteArray& méthode, bool openURL);
    void termine(QNetworkReply* terminée);
    void enTêtesArrivés(QNetworkReply& enCours);
    void surveilleTaille(QNetworkReply& enCours, qint64 reçus, qint64 annoncés);
    bool attends();
    QByteArray lisFlux(int taille);
    void appliqueAccès();
    bool estLeProxy(const QNetworkProxy& demandeur) const;
    void retient(QNetworkReply& reçue);
    void oublieRéponse();
    void libèreAttentes();
    QNetworkAccessManager& Gestionnaire();

    Inet* q;
    // Made at the first request: what never sends one does not pay for it.
    std::unique_ptr<QNetworkAccessManager> gestionnaire;
    QNetworkReply* réponse = nullptr;
    // OpenURL reports its end by returning, not through StateChanged.
    bool parOpenURL = false;
    // Changes with every Cancel, so that a waiting OpenURL knows its request was dropped.
    quint64 génération = 0;
    QList<QEventLoop*> attentes;
    ProxysRetenus proxysSystème;
    // The proxy's 407 is answered once per request: wrong credentials fail it, never loop.
    bool identifiantsDonnés = false;
    qint64 tailleMax = 0;
    bool progressive = false;
    // Read progressively: the reply whose body is being read, kept after its end for the
    // bytes still buffered.
    QNetworkReply* flux = nullptr;
    bool corpsIgnoré = false;
    qint64 jetés = 0;

    int délai = 0;
    int typeAccès = icUseDefault;
    QString proxy;
    int port = 80;
    QString nom;
    QString motDePasse;
    QString url;

    int statut = 0;
    QByteArray enTêtes;
    QList<QNetworkReply::RawHeaderPair> champs;
    QByteArray corps;
    qsizetype lu = 0;
};

void Inet::Privé::appliqueAccès() {
    switch (typeAccès) {
    case icDirect:
        Gestionnaire().setProxy(QNetworkProxy::NoProxy);
        break;
    case icNamedProxy:
        Gestionnaire().setProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, proxy, static_cast<quint16>(port)));
        break;
    default:
        Gestionnaire().setProxyFactory(new ProxysSystème(proxysSystème));
        break;
    }
}

// Only the proxy this request goes through may ask for the credentials. Qt reports the 407 of
// an origin, direct or inside a proxy's tunnel, as coming from no proxy.
bool Inet::Privé::estLeProxy(const QNetworkProxy& demandeur) const {
    const auto même = [&demandeur](const QNetworkProxy& p) {
        return p.type() == QNetworkProxy::HttpProxy && p.port() == demandeur.port() &&
               p.hostName().compare(demandeur.hostName(), Qt::CaseInsensitive) == 0;
    };
    if (demandeur.type() != QNetworkProxy::HttpProxy)
        return false;
    if (typeAccès == icNamedProxy)
        return même(QNetworkProxy(QNetworkProxy::HttpProxy, proxy, static_cast<quint16>(port)));
    return typeAccès == icUseDefault &&
           std::any_of(proxysSystème.proxys.cbegin(), proxysSystème.proxys.cend(), même);
}

void Inet::Privé::lance(const QString& adresse, const QByteArray& méthode, bool openURL) {
    q->Cancel();
    url = adresse;
    parOpenURL = openURL;
    appliqueAccès();

    identifiantsDonnés = false;

    QNetworkRequest requête{QUrl(adresse)};
    requête.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // Callers judge the status line themselves: a redirection is an answer like any other.
    requête.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    // Qt would inflate a compressed body behind the caller's back, and Content-Length would
    // then no longer count the bytes handed out.
    requête.setRawHeader("Accept-Encoding", "identity");
    requête.setTransferTimeout(délai * 1000);

    if (méthode == "GET")
        réponse = Gestionnaire().get(requête);
    else if (méthode == "HEAD")
        réponse = Gestionnaire().head(requête);
    else
        réponse = Gestionnaire().sendCustomRequest(requête, méthode);
    QNetworkReply* enCours = réponse;
    QObject::connect(enCours, &QNetworkReply::finished, q, [this, enCours] { termine(enCours); });
    if (tailleMax > 0)
        QObject::connect(enCours, &QNetworkReply::downloadProgress, q,
                         [this, enCours](qint64 reçus, qint64 annoncés) {
                             surveilleTaille(*enCours, reçus, annoncés);
                         });
    jetés = 0;
    if (corpsIgnoré && !openURL)
        QObject::connect(enCours, &QNetworkReply::readyRead, q,
                         [this, enCours] { jetés += enCours->skip(enCours->bytesAvailable()); });
    if (progressive && !openURL) {
        flux = enCours;
        enCours->setReadBufferSize(TamponProgressif);
        QObject::connect(enCours, &QNetworkReply::metaDataChanged, q,
                         [this, enCours] { enTêtesArrivés(*enCours); });
        QObject::connect(enCours, &QNetworkReply::readyRead, q, [this] {
            libèreAttentes();
            // Whatever event loop runs, a modal dialog's too, the caller can read on.
            if (statut > 0)
                Q_EMIT q->StateChanged(icReceivingResponse);
        });
    }
}

void Inet::Privé::surveilleTaille(QNetworkReply& enCours, qint64 reçus, qint64 annoncés) {
    if (reçus > tailleMax || annoncés > tailleMax)
        enCours.abort();
}

void Inet::Privé::enTêtesArrivés(QNetworkReply& enCours) {
    const int reçu = enCours.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reçu <= 0 || statut > 0)
        return;
    retient(enCours);
    libèreAttentes();
    Q_EMIT q->StateChanged(icReceivingResponse);
}

void Inet::Privé::termine(QNetworkReply* terminée) {
    réponse = nullptr;
    const bool lueProgressivement = terminée == flux;
    if (corpsIgnoré)
        jetés += terminée->skip(terminée->bytesAvailable());
    const qint64 déjàLus = lueProgressivement ? lu : jetés;
    const bool tropGrand = tailleMax > 0 && déjàLus + terminée->bytesAvailable() > tailleMax;
    const bool reçue = !tropGrand && réponseComplète(*terminée, déjàLus);
    if (lueProgressivement) {
        if (statut == 0 && reçue)
            retient(*terminée);
    } else {
        terminée->deleteLater();
        if (reçue)
            retient(*terminée);
    }
    libèreAttentes();
    if (parOpenURL)
        return;

    const QPointer<Inet> vivant(q);
    const quint64 celleCi = génération;
    Q_EMIT q->StateChanged(reçue ? icResponseReceived : icError);
    // The receiver may have cancelled, started another request or deleted us meanwhile.
    if (reçue && vivant && vivant->d->génération == celleCi)
        Q_EMIT vivant->StateChanged(icResponseCompleted);
}

void Inet::Privé::retient(QNetworkReply& reçue) {
    statut = reçue.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    champs = reçue.rawHeaderPairs();
    enTêtes = "HTTP/1.1 " + QByteArray::number(statut) + ' ' + phraseDeStatut(reçue) + "\r\n";
    for (const auto& [champ, valeur] : std::as_const(champs))
        enTêtes += champ + ": " + valeur + "\r\n";
    if (&reçue != flux)
        corps = reçue.readAll();
    lu = 0;
}

void Inet::Privé::oublieRéponse() {
    if (QNetworkReply* abandonné = std::exchange(flux, nullptr)) {
        QObject::disconnect(abandonné, nullptr, q, nullptr);
        if (!abandonné->isFinished())
            abandonné->abort();
        abandonné->deleteLater();
    }
    statut = 0;
    enTêtes.clear();
    champs.clear();
    corps.clear();
    lu = 0;
}

void Inet::Privé::libèreAttentes() {
    for (QEventLoop* attente : std::as_const(attentes))
        attente->quit();
}

// One wait for news of the request. False when the application is quitting: its nested loops
// then return at once, and the request is dropped rather than polled for ever.
bool Inet::Privé::attends() {
    const QPointer<Inet> vivant(q);
    QEventLoop attente;
    attentes.append(&attente);
    const int fin = attente.exec();
    if (vivant)
        attentes.removeOne(&attente);
    return fin >= 0;
}

QByteArray Inet::Privé::lisFlux(int taille) {
    const QPointer<Inet> vivant(q);
    const quint64 celleCi = génération;
    while (flux && flux->bytesAvailable() < taille && flux->isRunning()) {
        if (!attends()) {
            if (vivant)
                q->Cancel();
            return {};
        }
        if (!vivant || génération != celleCi)
            return {};
    }
    if (!flux)
        return {};
    const QByteArray morceau = flux->read(taille);
    lu += morceau.size();
    return morceau;
}

QNetworkAccessManager& Inet::Privé::Gestionnaire() {
    if (gestionnaire)
        return *gestionnaire;
    gestionnaire = std::make_unique<QNetworkAccessManager>();
    QObject::connect(gestionnaire.get(), &QNetworkAccessManager::proxyAuthenticationRequired, q,
                     [this](const QNetworkProxy& demandeur, QAuthenticator* authentification) {
                         // Left unfilled, Qt gives up on the proxy's 407 instead of asking again.
                         if (!nom.isEmpty() && !identifiantsDonnés && estLeProxy(demandeur)) {
                             identifiantsDonnés = true;
                             authentification->setUser(nom);
                             authentification->setPassword(motDePasse);
                         }
                     });
    return *gestionnaire;
}

Inet::Inet(QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Privé>(this)) {}

Inet::~Inet() {
    Cancel();
}

void Inet::Cancel() {
    ++d->génération;
    if (QNetworkReply* abandonnée = std::exchange(d->réponse, nullptr);
        abandonnée && abandonnée != d->flux) {
        disconnect(abandonnée, nullptr, this, nullptr);
        abandonnée->abort();
        abandonnée->deleteLater();
    }
    d->oublieRéponse();
    d->libèreAttentes();
}

void Inet::setRequestTimeout(int secondes) {
    d->délai = qBound(0, secondes, std::numeric_limits<int>::max() / 1000);
}

int Inet::RequestTimeout() const {
    return d->délai;
}

void Inet::setAccessType(int type) {
    if (type == icUseDefault || type == icDirect || type == icNamedProxy)
        d->typeAccès = type;
}

int Inet::AccessType() const {
    return d->typeAccès;
}

void Inet::setProxy(const QString& hôte) {
    d->proxy = hôte;
}

QString Inet::Proxy() const {
    return d->proxy;
}

void Inet::setRemotePort(int port) {
    d->port = qBound(0, port, 65535);
}

int Inet::RemotePort() const {
    return d->port;
}

void Inet::setUserName(const QString& nom) {
    d->nom = nom;
}

void Inet::setPassword(const QString& motDePasse) {
    d->motDePasse = motDePasse;
}

void Inet::setURL(const QString& url) {
    d->url = url;
}

QString Inet::URL() const {
    return d->url;
}

void Inet::setTailleMaximale(qint64 octets) {
    d->tailleMax = qMax<qint64>(0, octets);
}

void Inet::setCorpsIgnoré(bool ignoré) {
    d->corpsIgnoré = ignoré;
}

void Inet::setLectureProgressive(bool progressive) {
    d->progressive = progressive;
}

QString Inet::OpenURL(const QString& url) {
    d->lance(url, "GET", true);
    const quint64 celleCi = d->génération;
    const QPointer<Inet> vivant(this);
    while (vivant && d->génération == celleCi && d->réponse) {
        if (!d->attends() && vivant) {
            Cancel();
            return {};
        }
    }
    if (!vivant || d->génération != celleCi)
        return {};
    d->lu = d->corps.size();
    // An error page is no document.
    if (d->statut < 200 || d->statut > 299)
        return {};
    return DepuisAnsi(d->corps);
}

void Inet::Execute() {
    d->lance(d->url, "GET", false);
}

void Inet::Execute(const QString& url, const QString& méthode) {
    d->lance(url, méthode.toLatin1(), false);
}

bool Inet::StillExecuting() const {
    return d->réponse != nullptr && (d->réponse != d->flux || d->statut == 0);
}

QString Inet::GetHeader() const {
    return DepuisAnsi(d->enTêtes);
}

QString Inet::GetHeader(const QString& nom) const {
    const QByteArray cherché = EnAnsi(nom);
    for (const auto& [champ, valeur] : std::as_const(d->champs)) {
        if (champ.compare(cherché, Qt::CaseInsensitive) == 0)
            return DepuisAnsi(valeur);
    }
    return {};
}

qint64 Inet::OctetsDisponibles() const {
    return d->flux ? d->flux->bytesAvailable() : d->corps.size() - d->lu;
}

bool Inet::CorpsTerminé() const {
    return d->flux ? !d->flux->isRunning() : d->réponse == nullptr;
}

QString Inet::GetChunk(int taille) {
    return DepuisAnsi(GetChunkOctets(taille));
}

QByteArray Inet::GetChunkOctets(int taille) {
    if (taille <= 0)
        return {};
    if (d->flux)
        return d->lisFlux(taille);
    const QByteArray morceau = d->corps.mid(d->lu, taille);
    d->lu += morceau.size();
    return morceau;
}
