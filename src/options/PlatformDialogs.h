#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The platform's standard dialogs as the options dialogs use them: colour picker, file-open dialog,
// Yes/No question and warning. Every call goes through Current(), so a test puts a double of its own in
// place with Replace and answers for the operator without a real dialog waiting for input.
class PlatformDialogs
{
public:
    virtual ~PlatformDialogs() = default;

    // The chosen colour, or an invalid colour when the operator cancelled.
    virtual QColor ChooseColor(const QColor &initial, QWidget *parent);
    // The chosen file, or an empty text when the operator cancelled. filter is in Qt's form.
    virtual QString ChooseOpenFile(const QString &start, const QString &filter, QWidget *parent);
    // True when the operator answered Yes; Yes is the default button.
    virtual bool AskYesNo(const QString &title, const QString &prompt, QWidget *parent);
    virtual void Warn(const QString &title, const QString &text, QWidget *parent);

    static PlatformDialogs &Current();
    // Puts dialogs in place of the platform's own; nullptr brings the platform's back.
    static void Replace(PlatformDialogs *dialogs);
};
