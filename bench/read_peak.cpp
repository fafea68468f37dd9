// Peak memory of one script read, measured in a process that does nothing else:
//     vw_read_peak FILE   → idle_kb=… peak_kb=… above_idle_kb=… records=… lines=…

#include "script/ScriptReader.h"

#include <QFile>

#include <cstdio>

namespace {

// A "Vm…:   1234 kB" field of /proc/self/status, in kB; -1 when it is missing.
long statusField(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return line.mid(static_cast<qsizetype>(qstrlen(name))).trimmed().split(' ')[0].toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vw_read_peak FILE\n");
        return 2;
    }
    const QString path = QFile::decodeName(argv[1]);
    const long idle = statusField("VmRSS:");
    const vw::ScriptReadResult result = vw::readScriptFile(path);
    if (result.status != vw::ReadStatus::Ok) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const long peak = statusField("VmHWM:");
    std::printf("idle_kb=%ld peak_kb=%ld above_idle_kb=%ld records=%zu lines=%lld\n", idle, peak,
                peak - idle, result.records.size(), static_cast<long long>(result.lineCount));
    return 0;
}
