#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

#include <optional>
#include <type_traits>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

Q_LOGGING_CATEGORY(lcSettings, "quorvane.settings")

namespace {

constexpr QLatin1String ColorSection("ColorSettings");
constexpr QLatin1String KeySection("KeySettings");
constexpr QLatin1String TextSection("TextSettings");

// The title and team names fill one line of the board; the options dialog never makes them longer than 24.
constexpr qsizetype MaxTextLength = 255;
// Linux opens no path longer than PATH_MAX (4096 bytes), so a longer text names no playable file anyway; the cut
// only keeps a damaged store from filling memory.
constexpr qsizetype MaxPathLength = 4096;
// The program's own store stays under a kilobyte: anything this large is damage, and reading it would stall the start.
constexpr qint64 MaxStoreBytes = 1024 * 1024;

// Only a plain, readable file of sane size is read: a FIFO blocks whoever opens it and a huge file stalls the start.
bool isReadable(const QFileInfo &store)
{
    return store.isFile() && store.isReadable() && store.size() <= MaxStoreBytes;
}

// What stands at the store's path and must not be written over, named for the operator; empty when a save may
// replace it. An oversized plain file is damage that no one can use, and replacing it is the only way the settings
// can be saved again; anything else that could not be read (a folder, a pipe, a device, a file without read
// permission) may be the operator's own and stays, so nothing is lost by a save.
QString whatMustStay(const QString &fileName)
{
    struct stat status {};
    if (::stat(QFile::encodeName(fileName).constData(), &status) != 0)
        return {}; // nothing there; a folder that cannot be reached is reported by the write itself
    if (S_ISREG(status.st_mode))
        return QFileInfo(fileName).isReadable() ? QString() : u"a file that cannot be read"_s;
    if (S_ISDIR(status.st_mode))
        return u"a folder"_s;
    if (S_ISFIFO(status.st_mode))
        return u"a named pipe"_s;
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return u"a device"_s;
    if (S_ISSOCK(status.st_mode))
        return u"a socket"_s;
    return u"something that is not a file"_s;
}

// QSettings lets a quoted value, or one ending in a backslash, run on over the following lines, so one stray quote
// would swallow every setting after it. Such a line is dropped instead and costs only the key it holds.
QByteArray withoutRunawayLines(const QByteArray &ini)
{
    QByteArray kept;
    for (const QByteArray &line : ini.split('\n')) {
        bool quoted = false;
        bool escaped = false;
        for (const char c : line) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                quoted = !quoted;
            else if (c == ';' && !quoted)
                break; // the rest is a comment
        }
        if (!quoted && !escaped)
            kept += line + '\n';
    }
    return kept;
}

// The stored text of a key, or nullopt when the key is absent. An empty value is a value.
std::optional<QString> storedText(QSettings &store, const QString &path)
{
    if (!store.contains(path))
        return std::nullopt;
    const QVariant value = store.value(path);
    // An unquoted comma in a hand-edited INI value turns it into a list; the operator meant the text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    return value.toString();
}

QString cut(QString text, qsizetype length)
{
    if (text.size() > length) {
        text.truncate(length);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

// A whole decimal number in [low, high]: digits with an optional leading minus, nothing else.
std::optional<qint64> wholeNumber(const QString &text, qint64 low, qint64 high)
{
    if (text.isEmpty() || text.size() > 12)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!(c.isDigit() && c.unicode() < 128) && !(i == 0 && c == QLatin1Char('-') && text.size() > 1))
            return std::nullopt;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

SettingsRecord readStoreFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    QFile file(fileName);
    if (!info.exists())
        return DefaultSettings();
    if (!isReadable(info) || !file.open(QIODevice::ReadOnly)) {
        // The operator sees the factory settings and is told at the next save; whoever debugs is told now.
        qCWarning(lcSettings, "The settings store %ls is not read (%ls); the factory settings apply.",
                  qUtf16Printable(fileName), qUtf16Printable(info.isFile() && info.isReadable()
                      ? u"%1 bytes"_s.arg(info.size()) : whatMustStay(fileName)));
        return DefaultSettings();
    }
    // QSettings parses only files, so it reads a repaired copy and never opens the store itself. Should no copy
    // be possible, the checked store is still better read unrepaired than not at all.
    QTemporaryFile copy;
    const bool copied = copy.open() && copy.write(withoutRunawayLines(file.read(MaxStoreBytes))) >= 0 && copy.flush();
    QSettings store(copied ? copy.fileName() : fileName, QSettings::NativeFormat);
    return ReadSettings(store);
}

// QSettings formats the record into a private copy, which then replaces the store atomically. Nothing of the old
// file is merged in (it holds only these sixteen keys), so a damaged line in it can neither make a good save report
// failure nor hide a failed one: QSettings keeps the first error it met, also through a later write.
// Gives why the store could not be written, or nothing when it was.
QString writeStoreFile(const SettingsRecord &record, const QString &fileName)
{
    if (const QString there = whatMustStay(fileName); !there.isEmpty())
        return there + u" is in its place, and is left as it is"_s;
    const QString diskFull = u"the system refused the write; the disk may be full"_s;
    QTemporaryFile copy;
    if (!copy.open())
        return copy.errorString();
    {
        QSettings formatted(copy.fileName(), QSettings::NativeFormat);
        if (!WriteSettings(record, formatted))
            return diskFull;
    }
    QFile ini(copy.fileName());
    if (!ini.open(QIODevice::ReadOnly))
        return ini.errorString();
    // A folder that cannot be made (a file in its way) makes the save file fail to open, with the system's reason.
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile store(fileName);
    if (!store.open(QIODevice::WriteOnly))
        return store.errorString();
    store.write(ini.readAll());
    if (!store.commit())
        return store.errorString().isEmpty() ? diskFull : store.errorString();
    return {};
}

} // namespace

const std::array<SettingsField, 16> SettingsFields = {{
    {KeySection, "StartStopClockKey"_L1, &SettingsRecord::StartStopClockKey},
    {KeySection, "ResetClockKey"_L1, &SettingsRecord::ResetClockKey},
    {KeySection, "ClockSwitchKey"_L1, &SettingsRecord::ClockSwitchKey},
    {KeySection, "BuzzerKey"_L1, &SettingsRecord::BuzzerKey},
    {KeySection, "BuzzerFile"_L1, &SettingsRecord::BuzzerFile, MaxPathLength},
    {ColorSection, "TimeColor"_L1, &SettingsRecord::TimeColor},
    {ColorSection, "LEDBack"_L1, &SettingsRecord::LEDBack},
    {ColorSection, "ScoreColor"_L1, &SettingsRecord::ScoreColor},
    {ColorSection, "PeriodColor"_L1, &SettingsRecord::PeriodColor},
    {ColorSection, "FormBack"_L1, &SettingsRecord::FormBack},
    {ColorSection, "BorderColor"_L1, &SettingsRecord::BorderColor},
    {ColorSection, "HomeColor"_L1, &SettingsRecord::HomeColor},
    {ColorSection, "VisitorColor"_L1, &SettingsRecord::VisitorColor},
    {TextSection, "TitleText"_L1, &SettingsRecord::TitleText, MaxTextLength},
    {TextSection, "HomeText"_L1, &SettingsRecord::HomeText, MaxTextLength},
    {TextSection, "VisitorText"_L1, &SettingsRecord::VisitorText, MaxTextLength},
}};

QString SettingsField::path() const
{
    return section + u'/' + key;
}

QString SettingsField::text(const SettingsRecord &record) const
{
    return std::visit(
        [&](auto field) {
            const auto &value = record.*field;
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QString>)
                return value;
            else
                return QString::number(value);
        },
        member);
}

QString SettingsFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Quorvane/Quorvane.conf"_s;
}

QString DefaultBuzzerFile()
{
    return QCoreApplication::applicationDirPath() + QDir::separator() + u"buzzer.wav"_s;
}

SettingsRecord DefaultSettings()
{
    SettingsRecord defaults;
    defaults.BuzzerFile = DefaultBuzzerFile();
    return defaults;
}

qint32 ColorFromText(const QString &text, qint32 fallback)
{
    return static_cast<qint32>(wholeNumber(text, 0, 0xFFFFFF).value_or(fallback));
}

qint16 KeyCodeFromText(const QString &text, qint16 fallback)
{
    return static_cast<qint16>(wholeNumber(text, 0, 255).value_or(fallback));
}

SettingsRecord ReadSettings(QSettings &store)
{
    SettingsRecord record = DefaultSettings();
    for (const SettingsField &field : SettingsFields) {
        const std::optional<QString> text = storedText(store, field.path());
        if (!text)
            continue;
        // Each field still holds its default, which a refused value keeps.
        std::visit(
            [&](auto member) {
                auto &value = record.*member;
                using Value = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, qint32>)
                    value = ColorFromText(*text, value);
                else if constexpr (std::is_same_v<Value, qint16>)
                    value = KeyCodeFromText(*text, value);
                else
                    value = cut(*text, field.maxLength);
            },
            field.member);
    }
    return record;
}

bool WriteSettings(const SettingsRecord &record, QSettings &store)
{
    for (const SettingsField &field : SettingsFields)
        store.setValue(field.path(), field.text(record));
    store.sync();
    return store.status() == QSettings::NoError;
}

void LoadSettings()
{
    Settings = readStoreFile(SettingsFileName());
}

QString SaveSettings()
{
    return writeStoreFile(Settings, SettingsFileName());
}
