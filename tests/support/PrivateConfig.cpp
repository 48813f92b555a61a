// Linked into every test: its settings live in a folder of its own, never in the user's store, set before
// main runs so that whatever the test reads or writes lands there.
#include <QFile>
#include <QTemporaryDir>

namespace {
const QTemporaryDir Config;
const bool ConfigSet = qputenv("XDG_CONFIG_HOME", QFile::encodeName(Config.path()));
} // namespace
