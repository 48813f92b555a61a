#pragma once

#include "SettingsRecord.h"

#include <QDialog>
#include <QList>

class KeyLabel;
class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The options dialog: colours, the four command keys, the buzzer sound and the texts of the board.
// It holds the operator's pending values in its own controls; OK puts them in force in Settings and
// saves them, Cancel or closing the window drops them. It never touches the board: whoever opened it
// applies Settings again once it has closed. Every opening starts afresh from Settings.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions(QWidget *parent = nullptr);

    // The codes the four key labels show now, pending changes included.
    QList<qint16> ShownKeys() const;

    QTabWidget *SSTab1 = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdResetKeys = nullptr;
    QPushButton *cmdBuzzerSound = nullptr;
    QLabel *lblBFile = nullptr;
    QPushButton *cmdResetColors = nullptr;

protected:
    // Whenever the dialog becomes active again (on opening, after the key capture dialog) the focus
    // goes to OK, so Enter confirms.
    void changeEvent(QEvent *event) override;

private:
    // A control that holds one pending field, and the field it belongs to.
    struct KeyField
    {
        KeyLabel *label;
        qint16 SettingsRecord::*field;
    };
    struct ColorField
    {
        PictureBox *preview;
        qint32 SettingsRecord::*field;
    };
    struct TextField
    {
        QLineEdit *box;
        QString SettingsRecord::*field;
    };

    QWidget *KeyPage();
    QWidget *ColorPage();
    QWidget *TextPage();

    void Form_Load();
    void ChooseKey(const QString &action, const KeyField &key);
    void cmdBuzzerSound_Click();
    void cmdResetColors_Click();
    void cmdResetKeys_Click();
    void cmdOk_Click();

    QList<KeyField> m_keys;
    QList<ColorField> m_colors;
    QList<TextField> m_texts;
    // The pending buzzer file, in full; lblBFile may show it shortened.
    QString BuzzTemp;
};
