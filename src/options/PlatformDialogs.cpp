#include "PlatformDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

PlatformDialogs *replacement = nullptr;

} // namespace

QColor PlatformDialogs::ChooseColor(const QColor &initial, QWidget *parent)
{
    return QColorDialog::getColor(initial, parent);
}

QString PlatformDialogs::ChooseOpenFile(const QString &start, const QString &filter, QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, {}, start, filter);
}

bool PlatformDialogs::AskYesNo(const QString &title, const QString &prompt, QWidget *parent)
{
    return QMessageBox::question(parent, title, prompt, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void PlatformDialogs::Warn(const QString &title, const QString &text, QWidget *parent)
{
    QMessageBox::warning(parent, title, text);
}

PlatformDialogs &PlatformDialogs::Current()
{
    static PlatformDialogs platform;
    return replacement ? *replacement : platform;
}

void PlatformDialogs::Replace(PlatformDialogs *dialogs)
{
    replacement = dialogs;
}
