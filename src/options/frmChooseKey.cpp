#include "frmChooseKey.h"

#include "KeyAscii.h"
#include "FixedKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

frmChooseKey::frmChooseKey(const QString &action, qint16 currentKey, const QList<qint16> &keysShown, QWidget *parent)
    : QDialog(parent)
    , m_currentKey(currentKey)
    , m_keysShown(keysShown)
{
    setWindowTitle(QStringLiteral("Choose Key"));

    lblChoose = new QLabel(QStringLiteral("Press the key you would like to ") + action + QLatin1Char('.'), this);
    lblChoose->setObjectName(QStringLiteral("lblChoose"));
    lblChoose->setWordWrap(true);

    lblUsed = new QLabel(QStringLiteral("This key is already in use, please choose another."), this);
    lblUsed->setObjectName(QStringLiteral("lblUsed"));
    QPalette red = lblUsed->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblUsed->setPalette(red);
    // The warning appears without the dialog changing its size under the operator's eyes.
    QSizePolicy keepSpace = lblUsed->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    lblUsed->setSizePolicy(keepSpace);
    lblUsed->hide();

    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setDefault(true);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblChoose);
    layout->addWidget(lblUsed);
    layout->addWidget(cmdCancel, 0, Qt::AlignRight);

    // Keys reach the button when it has the focus and the dialog when nothing has; both hand them to
    // the key rule before the button could take a space or a letter as a click.
    cmdCancel->installEventFilter(this);
    installEventFilter(this);
}

QList<qint16> frmChooseKey::RefusedKeys()
{
    // Enter, space, "+", "-", "." and "=" drive the typed entry; a digit chosen as a command would act
    // in the middle of a typed score ("15" Enter starting the clock with 5 as start/stop); and a command
    // on "h" or "o" would leave help or the options with no key on the board.
    QList<qint16> refused {KeyEnter, KeySpace, '+', '-', '.', '=', HelpKey, OptionsKey};
    for (qint16 digit = '0'; digit <= '9'; ++digit)
        refused.append(digit);
    std::sort(refused.begin(), refused.end());
    return refused;
}

bool frmChooseKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Enter and Esc keep their meaning in a dialog: both close it without a key. A carriage return
        // typed as a character (Ctrl+M) is a key like any other and meets the rule.
        const bool closes = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || key->key() == Qt::Key_Escape;
        const int code = KeyAscii(key);
        if (!closes && code >= 0) {
            KeyPressed(static_cast<qint16>(code));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmChooseKey::KeyPressed(qint16 code)
{
    // The action's own saved key is always welcome back, even while its label shows another.
    const bool refused = code != m_currentKey && (m_keysShown.contains(code) || RefusedKeys().contains(code));
    if (refused) {
        lblUsed->show();
        QApplication::beep();
        return;
    }
    lblUsed->hide();
    m_chosenKey = code;
    accept();
}
