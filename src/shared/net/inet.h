#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// The HTTP transfer control: one instance per caller, no state shared between instances.
// Requests stay on HTTP/1.1 so that the status line always carries its reason phrase.
class Inet : public QObject {
    Q_OBJECT
public:
    enum TypeAccès { icUseDefault = 0, icDirect = 1, icNamedProxy = 2 };
    enum TypeDonnées { icString = 0, icByteArray = 1 };
    enum État {
        icReceivingResponse = 7,
        icResponseReceived = 8,
        icError = 11,
        icResponseCompleted = 12
    };

    explicit Inet(QObject* parent = nullptr);
    ~Inet() override;

    // Stops the running request; its answer is dropped.
    void Cancel();

    // Seconds without progress before a request gives up; 0 waits for ever.
    void setRequestTimeout(int secondes);
    int RequestTimeout() const;

    // icUseDefault follows the system's proxy configuration (http_proxy/no_proxy on Linux).
    void setAccessType(int type);
    int AccessType() const;
    void setProxy(const QString& hôte);
    QString Proxy() const;
    void setRemotePort(int port);
    int RemotePort() const;
    void setUserName(const QString& nom);
    void setPassword(const QString& motDePasse);

    void setURL(const QString& url);
    QString URL() const;

    // A body larger than this many bytes fails the request as soon as it is known to be,
    // so that a broken server cannot exhaust memory; 0 sets no limit.
    void setTailleMaximale(qint64 octets);

    // Each answer's body is thrown away as it arrives: its status and header are what count,
    // and a body without end costs no memory. GetChunk then gives nothing.
    void setCorpsIgnoré(bool ignoré);

    // For bodies of any size: Execute then hands the answer over as soon as its header has
    // arrived (StillExecuting turns false, GetHeader gives the header block) and GetChunk
    // waits for the next bytes as they come, letting window events run, until the body ends
    // or fails; only a small buffer is held. A shorter body than announced shows as fewer
    // bytes read. StateChanged(icReceivingResponse) tells that the header is there, then
    // again whenever bytes come. Navelo keeps the default: the whole answer first.
    void setLectureProgressive(bool progressive);

    // Blocks until the whole body is there, letting window events run meanwhile. Returns
    // the body as text (one character per byte, Windows-1252) for a 2xx answer, otherwise
    // empty; the header block stays readable afterwards. It raises no StateChanged and leaves
    // nothing for GetChunk. A Cancel meanwhile makes it return empty.
    QString OpenURL(const QString& url);

    // Starts a request and returns at once; StateChanged(icResponseReceived) follows when
    // the whole answer has arrived, whatever its status, then StateChanged(icResponseCompleted);
    // StateChanged(icError) when there is none (no connection, timeout, transfer cut short).
    void Execute();
    void Execute(const QString& url, const QString& méthode);
    bool StillExecuting() const;

    // The whole header block, status line first ("HTTP/1.1 200 OK"), lines ended by CR LF;
    // empty while a request runs or when it got no answer.
    QString GetHeader() const;
    // One header's value, or empty.
    QString GetHeader(const QString& nom) const;

    // Bytes of the body that GetChunk gives at once.
    qint64 OctetsDisponibles() const;
    // True once no more bytes of the body will come: GetChunk then never waits.
    bool CorpsTerminé() const;

    // The next part of the body, at most `taille` units; empty once the body is exhausted.
    // Read progressively, it waits for `taille` units or the end of the body, and gives
    // nothing once the body failed or the application is quitting.
    QString GetChunk(int taille);
    QByteArray GetChunkOctets(int taille);

Q_SIGNALS:
    void StateChanged(int state);

private:
    struct Privé;
    std::unique_ptr<Privé> d;
};
