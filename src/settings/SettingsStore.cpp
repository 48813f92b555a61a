#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStringList>

#include <optional>

namespace {

const QString ColorSection = QStringLiteral("ColorSettings");
const QString KeySection = QStringLiteral("KeySettings");
const QString TextSection = QStringLiteral("TextSettings");

// The stored text of a key, or nullopt when the key is absent. An empty value is a value.
std::optional<QString> storedText(QSettings &store, const QString &section, const QString &key)
{
    const QString path = section + QLatin1Char('/') + key;
    if (!store.contains(path))
        return std::nullopt;
    const QVariant value = store.value(path);
    // An unquoted comma in a hand-edited INI value turns it into a list; the operator meant the text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

QString textOr(QSettings &store, const QString &section, const QString &key, const QString &fallback)
{
    return storedText(store, section, key).value_or(fallback);
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

void writeNumber(QSettings &store, const QString &section, const QString &key, qint64 value)
{
    store.setValue(section + QLatin1Char('/') + key, QString::number(value));
}

void writeText(QSettings &store, const QString &section, const QString &key, const QString &value)
{
    store.setValue(section + QLatin1Char('/') + key, value);
}

} // namespace

QString DefaultBuzzerFile()
{
    return QCoreApplication::applicationDirPath() + QDir::separator() + QStringLiteral("buzzer.wav");
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
    SettingsRecord defaults;
    defaults.BuzzerFile = DefaultBuzzerFile();
    // A file the store cannot parse (binary garbage, an unreadable file) is not half-trusted.
    if (store.status() != QSettings::NoError)
        return defaults;

    SettingsRecord r;
    auto color = [&](const char *key, qint32 fallback) {
        const auto text = storedText(store, ColorSection, QLatin1String(key));
        return text ? ColorFromText(*text, fallback) : fallback;
    };
    auto keyCode = [&](const char *key, qint16 fallback) {
        const auto text = storedText(store, KeySection, QLatin1String(key));
        return text ? KeyCodeFromText(*text, fallback) : fallback;
    };

    r.FormBack = color("FormBack", defaults.FormBack);
    r.LEDBack = color("LEDBack", defaults.LEDBack);
    r.TimeColor = color("TimeColor", defaults.TimeColor);
    r.ScoreColor = color("ScoreColor", defaults.ScoreColor);
    r.PeriodColor = color("PeriodColor", defaults.PeriodColor);
    r.BorderColor = color("BorderColor", defaults.BorderColor);
    r.HomeColor = color("HomeColor", defaults.HomeColor);
    r.VisitorColor = color("VisitorColor", defaults.VisitorColor);

    r.StartStopClockKey = keyCode("StartStopClockKey", defaults.StartStopClockKey);
    r.ResetClockKey = keyCode("ResetClockKey", defaults.ResetClockKey);
    r.ClockSwitchKey = keyCode("ClockSwitchKey", defaults.ClockSwitchKey);
    r.BuzzerKey = keyCode("BuzzerKey", defaults.BuzzerKey);

    r.BuzzerFile = textOr(store, KeySection, QStringLiteral("BuzzerFile"), defaults.BuzzerFile);

    r.TitleText = textOr(store, TextSection, QStringLiteral("TitleText"), defaults.TitleText);
    r.HomeText = textOr(store, TextSection, QStringLiteral("HomeText"), defaults.HomeText);
    r.VisitorText = textOr(store, TextSection, QStringLiteral("VisitorText"), defaults.VisitorText);
    return r;
}

bool WriteSettings(const SettingsRecord &r, QSettings &store)
{
    writeNumber(store, KeySection, QStringLiteral("StartStopClockKey"), r.StartStopClockKey);
    writeNumber(store, KeySection, QStringLiteral("ResetClockKey"), r.ResetClockKey);
    writeNumber(store, KeySection, QStringLiteral("ClockSwitchKey"), r.ClockSwitchKey);
    writeNumber(store, KeySection, QStringLiteral("BuzzerKey"), r.BuzzerKey);
    writeText(store, KeySection, QStringLiteral("BuzzerFile"), r.BuzzerFile);

    writeNumber(store, ColorSection, QStringLiteral("TimeColor"), r.TimeColor);
    writeNumber(store, ColorSection, QStringLiteral("LEDBack"), r.LEDBack);
    writeNumber(store, ColorSection, QStringLiteral("ScoreColor"), r.ScoreColor);
    writeNumber(store, ColorSection, QStringLiteral("PeriodColor"), r.PeriodColor);
    writeNumber(store, ColorSection, QStringLiteral("FormBack"), r.FormBack);
    writeNumber(store, ColorSection, QStringLiteral("BorderColor"), r.BorderColor);
    writeNumber(store, ColorSection, QStringLiteral("HomeColor"), r.HomeColor);
    writeNumber(store, ColorSection, QStringLiteral("VisitorColor"), r.VisitorColor);

    writeText(store, TextSection, QStringLiteral("TitleText"), r.TitleText);
    writeText(store, TextSection, QStringLiteral("HomeText"), r.HomeText);
    writeText(store, TextSection, QStringLiteral("VisitorText"), r.VisitorText);

    store.sync();
    return store.status() == QSettings::NoError;
}

void LoadSettings()
{
    QSettings store(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
    Settings = ReadSettings(store);
}

bool SaveSettings()
{
    QSettings store(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
    return WriteSettings(Settings, store);
}
