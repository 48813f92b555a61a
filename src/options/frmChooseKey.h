#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

// Asks for the key one board action shall have. It reads the action from KeyActionText and its saved
// key from CurrentKey, and leaves the accepted key's code in ChosenKey ("0" when it closes without one).
// It refuses the keys the options dialog shows for the other actions and the keys the board reserves.
class frmChooseKey : public QDialog
{
    Q_OBJECT

public:
    // keysShown: the codes the options dialog's four key labels show now, pending changes included.
    explicit frmChooseKey(const QList<qint16> &keysShown, QWidget *parent = nullptr);

    // The codes refused whatever the options dialog shows, in ascending order: the keys the board keeps
    // for itself and the characters of the typed entry on its displays.
    static QList<qint16> RefusedKeys();

    QLabel *lblChoose = nullptr;
    QLabel *lblUsed = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void KeyPressed(qint16 code);

    QList<qint16> m_keysShown;
};
