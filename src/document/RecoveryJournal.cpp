#include "RecoveryJournal.h"

#include "ScriptDocument.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// Header lines: comments to the edit-file reader, facts of the source to the journal's.
const QString Mark = u"#@ "_s;

QString headerLine(const QString& key, const QString& value) {
    return Mark + key + u' ' + value + u'\n';
}

} // namespace

RecoveryJournal::RecoveryJournal(ScriptDocument& document, QString folder)
    : QObject(&document), document_(document), folder_(std::move(folder)) {
    connect(&document_, &ScriptDocument::changed, this, [this](const DocumentChange& change) {
        if (change.reset)
            documentReset();
    });
    // A write leaves nothing unwritten: the journal goes with it.
    connect(&document_, &ScriptDocument::cleanChanged, this, [this](bool clean) {
        if (clean)
            record();
    });
    // Steps come in bursts (a held key, undo to the start): they are written once the burst is
    // over, still before the program waits for the user again.
    connect(&document_.history(), &QUndoStack::indexChanged, this, [this] {
        if (pending_)
            return;
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
            pending_ = false;
            record();
        });
    });
}

RecoveryJournal::~RecoveryJournal() = default;

QString RecoveryJournal::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + u"/journals"_s;
}

QString RecoveryJournal::prefixFor(const QString& sourcePath) const {
    const QByteArray key = QFileInfo(sourcePath).absoluteFilePath().toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20));
}

void RecoveryJournal::documentReset() {
    // Two reads within one millisecond, in one session or two, must not share a journal: the
    // process and a count of this session's reads tell them apart.
    static int reads = 0;
    file_ = folder_ + u'/' + prefixFor(document_.source().path) + u'-' +
            QString::number(QDateTime::currentMSecsSinceEpoch()) + u'-' +
            QString::number(QCoreApplication::applicationPid()) + u'-' + QString::number(++reads) +
            u".txt"_s;
}

void RecoveryJournal::record() {
    if (file_.isEmpty())
        return;
    const int lists = document_.isClean() ? 0 : document_.changedListCount();
    if (lists == 0) {
        QFile::remove(file_);
        return;
    }
    const ScriptDocument::Source& source = document_.source();
    QString text = u"# Vendwright: unwritten changes, kept until they are written or given up\n"_s;
    text += headerLine(u"source"_s, QString::fromLatin1(QUrl::toPercentEncoding(source.path)));
    text += headerLine(u"size"_s, QString::number(source.stamp.facts.size));
    text += headerLine(u"modified"_s, QString::number(source.stamp.facts.modifiedNs));
    text += headerLine(u"hash"_s, QString::number(source.stamp.contentHash, 16));
    text += headerLine(u"lists"_s, QString::number(lists));
    text += document_.editsSinceRead();
    // A journal that cannot be written costs the safety net, not the session.
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > MaxJournalSize) {
        failed({Failure::Kind::TooLarge, {}, {}});
        return;
    }
    if (const files::FolderResult folder =
            files::privateFolder(folder_, files::LooseFolder::Tighten);
        !folder.ok()) {
        failed({Failure::Kind::Folder, folder.status, folder.detail});
        return;
    }
    const files::SaveResult saved = files::saveFile(file_, bytes);
    if (!saved.ok()) {
        failed({saved.status == files::SaveResult::Status::DiskFull ? Failure::Kind::DiskFull
                                                                    : Failure::Kind::Failed,
                {},
                saved.detail});
        return;
    }
    succeeded();
}

bool RecoveryJournal::checkFolder() {
    const files::FolderResult folder = files::privateFolder(folder_, files::LooseFolder::Tighten);
    if (!folder.ok())
        failed({Failure::Kind::Folder, folder.status, folder.detail});
    else if (!files::canCreateAt(folder_ + u"/journal"_s))
        failed({Failure::Kind::Folder, folder.status, {}});
    return recording_;
}

void RecoveryJournal::failed(Failure reason) {
    if (!std::exchange(recording_, false))
        return;
    emit recordingFailed(reason);
}

void RecoveryJournal::succeeded() {
    if (std::exchange(recording_, true))
        return;
    emit recordingResumed();
}

void RecoveryJournal::discard() {
    if (!file_.isEmpty())
        QFile::remove(file_);
}

std::vector<RecoveryJournal::Left> RecoveryJournal::leftFor(const QString& sourcePath) {
    std::vector<Left> found;
    const QDir folder(folder_);
    // Pipes, devices, links and folders too: under a journal's name they are set aside.
    const QFileInfoList files = folder.entryInfoList(
        {prefixFor(sourcePath) + u"-*.txt"_s},
        QDir::Files | QDir::Dirs | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Time);
    for (const QFileInfo& info : files) {
        if (info.absoluteFilePath() == QFileInfo(file_).absoluteFilePath())
            continue;
        const files::ReadResult read = files::readFile(info.absoluteFilePath(), MaxJournalSize);
        if (read.status == files::ReadResult::Status::NotRegular ||
            read.status == files::ReadResult::Status::TooLarge) {
            const files::SetAsideResult aside = files::setAside(info.absoluteFilePath());
            emit journalSetAside({info.absoluteFilePath(), aside.newPath, read.status});
            continue;
        }
        if (read.status != files::ReadResult::Status::Ok)
            continue;
        QStringDecoder utf8(QStringConverter::Utf8);
        Left left;
        left.file = info.absoluteFilePath();
        left.edits = utf8(read.bytes);
        if (utf8.hasError())
            continue;
        for (QStringView line : QStringView(left.edits).tokenize(u'\n')) {
            if (!line.startsWith(Mark))
                continue;
            const QStringView field = line.sliced(Mark.size());
            const qsizetype space = field.indexOf(u' ');
            const QStringView key = field.first(std::max<qsizetype>(space, 0));
            const QStringView value = field.sliced(space + 1);
            if (key == u"source")
                left.sourcePath = QUrl::fromPercentEncoding(value.toLatin1());
            else if (key == u"size")
                left.size = value.toLongLong();
            else if (key == u"modified")
                left.modifiedNs = value.toLongLong();
            else if (key == u"hash")
                left.hash = value.toULongLong(nullptr, 16);
            else if (key == u"lists")
                left.lists = value.toInt();
        }
        // Another script under the same short name is no journal of this one.
        if (QFileInfo(left.sourcePath).absoluteFilePath() ==
            QFileInfo(sourcePath).absoluteFilePath())
            found.push_back(std::move(left));
    }
    return found;
}

bool RecoveryJournal::matches(const Left& left, const SourceStamp& stamp) {
    return left.size == stamp.facts.size && left.modifiedNs == stamp.facts.modifiedNs &&
           left.hash == stamp.contentHash;
}

void RecoveryJournal::remove(const Left& left) {
    QFile::remove(left.file);
}

} // namespace vw
