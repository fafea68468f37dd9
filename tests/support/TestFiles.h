#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtEndian>

namespace vw::test {

// UTF-16LE bytes of a text, after a byte-order mark unless `bom` is false.
inline QByteArray utf16(const QString& text, bool bom = true) {
    QByteArray bytes(bom ? "\xFF\xFE" : "");
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size() * 2);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data() + start);
    return bytes;
}

// A script as the server keeps it: UTF-16LE with a byte-order mark, CR LF line ends.
inline QByteArray scriptBytes(const QStringList& lines) {
    return utf16(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

inline QString decodeScript(const QByteArray& bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData(), text.size(), text.data());
    return text;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace vw::test
