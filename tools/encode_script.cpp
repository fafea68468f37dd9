// Turns a UTF-8 text into a script as the game server keeps it: UTF-16LE with a byte-order
// mark and CR LF line ends. encode_script TEXT_FILE SCRIPT_FILE.
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: encode_script TEXT_FILE SCRIPT_FILE\n");
        return 2;
    }
    QFile in(QFile::decodeName(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "encode_script: cannot read %s\n", argv[1]);
        return 1;
    }
    QString text = QString::fromUtf8(in.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    text.prepend(QChar(0xFEFF));
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    QSaveFile out(QFile::decodeName(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "encode_script: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
