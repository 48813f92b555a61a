#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

Q_LOGGING_CATEGORY(lcInstance, "quorvane.instance")

namespace {

// The running copy may itself be starting: it listens a moment after it has taken the lock.
constexpr int ReachRunningMs = 3000;
constexpr int RetryMs = 50;

QString runtimePath(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/' + name;
}

} // namespace

SingleInstance::SingleInstance(QObject *parent)
    : QObject(parent)
    , m_lock(runtimePath(u"quorvane.lock"_s))
{
}

bool SingleInstance::HandedOver()
{
    const QString socket = runtimePath(u"quorvane.socket"_s);
    // A lock left by a copy that crashed is taken over: Qt sees that its process is gone.
    if (m_lock.tryLock(0)) {
        QLocalServer::removeServer(socket);
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *other = m_server->nextPendingConnection())
                other->deleteLater();
            emit raiseRequested();
        });
        if (!m_server->listen(socket))
            qCWarning(lcInstance, "Cannot listen on %ls: %ls", qUtf16Printable(socket), qUtf16Printable(m_server->errorString()));
        return false;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        // A runtime folder that cannot hold the lock must not keep the board from the hall.
        qCWarning(lcInstance, "Cannot take %ls: one copy per user is not enforced", qUtf16Printable(m_lock.fileName()));
        return false;
    }
    const QDeadlineTimer deadline(ReachRunningMs);
    QLocalSocket running;
    do {
        running.connectToServer(socket);
        if (running.waitForConnected(RetryMs))
            return true;
        QThread::msleep(RetryMs);
    } while (!deadline.hasExpired());
    qCWarning(lcInstance, "Another copy holds %ls but does not answer", qUtf16Printable(m_lock.fileName()));
    return true;
}
