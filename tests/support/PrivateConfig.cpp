// Linked into every test: its settings and its runtime files live in folders of its own, never in the user's
// store or beside a copy of the program the user runs, set before main runs so that whatever the test reads or
// writes lands there.
#include <QFile>
#include <QTemporaryDir>

namespace {
const QTemporaryDir Config, Runtime;
const bool ConfigSet = qputenv("XDG_CONFIG_HOME", QFile::encodeName(Config.path()));
const bool RuntimeSet = qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Runtime.path()));
} // namespace
