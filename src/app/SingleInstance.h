#pragma once

#include <QLockFile>
#include <QObject>

class QLocalServer;

// One running copy of the program for each user. The first copy holds a lock in the user's runtime folder
// and listens beside it; a copy started while it runs asks it to come to the front and ends: two copies on
// top of each other would each save the options over the other's.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(QObject *parent = nullptr);

    // True when another copy runs for this user and has been asked to come to the front: this one ends.
    bool HandedOver();

signals:
    // Another copy was started: the running one brings its window to the front.
    void raiseRequested();

private:
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};
