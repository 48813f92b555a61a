#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

// Asks for the key one board action shall have, and gives the accepted key's code back (0 when it closes
// without one). It refuses the keys the options dialog shows for the other actions and the keys the board
// reserves; the action's own saved key is always taken back.
class frmChooseKey : public QDialog
{
    Q_OBJECT

public:
    // action: what the key does, as the question names it ("sound the buzzer"); currentKey: the action's saved
    // key; keysShown: the codes the options dialog's four key labels show now, pending changes included.
    frmChooseKey(const QString &action, qint16 currentKey, const QList<qint16> &keysShown, QWidget *parent = nullptr);

    // The key taken, or 0 while none is.
    qint16 ChosenKey() const { return m_chosenKey; }

    // The codes refused whatever the options dialog shows, in ascending order: the keys the board keeps
    // for itself and the characters of the typed entry on its displays.
    static QList<qint16> RefusedKeys();

    QLabel *lblChoose = nullptr;
    QLabel *lblUsed = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void KeyPressed(qint16 code);

    qint16 m_currentKey;
    QList<qint16> m_keysShown;
    qint16 m_chosenKey = 0;
};
