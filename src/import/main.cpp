// vendwright-import SOURCE TARGET: converts the Access or SQLite file SOURCE into the SQLite
// file TARGET. The program runs it as a child process under time, memory and output limits
// (catalogue/AccessReader.h), so that libmdb, which trusts every byte of a file, and an SQLite
// file's own SQL cannot take the program down with a damaged or hostile file. The exit codes tell
// the program what happened.
#include "CatalogueImport.h"
#include "catalogue/AccessReader.h"
#include "catalogue/Statements.h"

#include <QFile>

#include <glib.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>

namespace {

// glib reports a failed allocation as a fatal error and aborts; tell the memory limit apart from
// a crash.
void onGlibError(const gchar*, GLogLevelFlags level, const gchar* message, gpointer) {
    if ((level & G_LOG_LEVEL_ERROR) && message && std::strstr(message, "failed to allocate"))
        std::_Exit(vw::readerexit::OutOfMemory);
}

// The most this program has held in memory, in bytes; 0 when unknown. It is this image's own
// high-water mark (VmHWM): getrusage() would also count the parent's, which a forked child
// inherits across exec, so a program that read a large script first would seem to have run out.
// Only system calls, as a signal handler asks it too.
rlim_t peakResidentBytes() {
    const int fd = ::open("/proc/self/status", O_RDONLY);
    if (fd < 0)
        return 0;
    char text[4096];
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (got <= 0)
        return 0;
    text[got] = '\0';
    const char* field = std::strstr(text, "VmHWM:");
    if (!field)
        return 0;
    rlim_t kb = 0;
    for (const char* c = field + 6; *c != '\n' && *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9')
            kb = kb * 10 + static_cast<rlim_t>(*c - '0');
    }
    return kb * 1024;
}

// libmdb gives up quietly on some allocations that fail and leaves the value out, and glib aborts
// on others without a word through its log, so a reading that came near the memory limit counts
// as out of memory, whatever it reported or however it ended.
bool nearMemoryLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_DATA, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return false;
    return peakResidentBytes() >= limit.rlim_cur / 4 * 3;
}

void onFatalSignal(int signal) {
    if (nearMemoryLimit())
        std::_Exit(vw::readerexit::OutOfMemory);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3)
        return vw::readerexit::Usage;
    std::set_new_handler([] { std::_Exit(vw::readerexit::OutOfMemory); });
    std::signal(SIGABRT, onFatalSignal);
    std::signal(SIGSEGV, onFatalSignal);
    g_log_set_default_handler(onGlibError, nullptr);
    g_log_set_handler("GLib", static_cast<GLogLevelFlags>(G_LOG_LEVEL_ERROR | G_LOG_FLAG_FATAL),
                      onGlibError, nullptr);
    qputenv("MDBICONV", "UTF-8");  // libmdb hands over every text in this encoding
    qunsetenv("MDB_JET3_CHARSET"); // a Jet 3 file names its own code page

    // The SQLite import attaches its source by a read-only URI.
    sqlite3* target = nullptr;
    if (sqlite3_open_v2(argv[2], &target,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK) {
        std::puts(sqlite3_errmsg(target));
        return vw::readerexit::Failed;
    }
    sqlite3_exec(target, vw::sql::unjournaled().toUtf8().constData(), nullptr, nullptr, nullptr);
    const QString source = QFile::decodeName(argv[1]);
    QFile file(source);
    const bool sqlite =
        file.open(QIODevice::ReadOnly) && file.read(16) == QByteArrayView("SQLite format 3\0", 16);
    file.close();
    std::optional<vw::NonTable> refused;
    const QString error = sqlite ? vw::importSqliteFile(source, target, refused)
                                 : vw::importAccessFile(source, target);
    const bool outOfMemory = sqlite3_errcode(target) == SQLITE_NOMEM || nearMemoryLimit();
    if (refused && !outOfMemory) {
        sqlite3_close(target);
        std::printf("%d\n", static_cast<int>(refused->kind));
        std::fputs(refused->name.toUtf8().constData(), stdout);
        return vw::readerexit::NotOnlyTables;
    }
    if (sqlite3_close(target) != SQLITE_OK || !error.isEmpty() || outOfMemory) {
        std::puts(error.toUtf8().constData());
        return outOfMemory ? vw::readerexit::OutOfMemory : vw::readerexit::Failed;
    }
    return vw::readerexit::Done;
}
