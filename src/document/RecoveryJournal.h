#pragma once

#include "files/OwnFiles.h"
#include "script/ScriptReader.h"

#include <QObject>
#include <QString>

#include <vector>

namespace vw {

class ScriptDocument;

// Keeps the unwritten changes of a document on disk, so a crash, a killed session or a power
// cut loses none of them: after every step, undo and redo the changes since the read are
// written, as an edit file, to this session's journal in `folder`, replacing it whole. A write
// that leaves nothing unwritten, and a discard, remove it. Journals left by sessions that ended
// without either are found by the script they belong to.
//
// Journals are the user's alone: the folder is 0700, each journal 0600, written beside its place
// and renamed into it, so a failed write (a full disk) keeps the journal as it was. Recording
// stops with that failure, said once, and resumes with the next write that succeeds.
class RecoveryJournal : public QObject {
    Q_OBJECT

public:
    // A journal is a few lines per change; a larger one is none this program wrote.
    static constexpr qint64 MaxJournalSize = 64 * 1024 * 1024;

    // Why changes are not being kept.
    struct Failure {
        enum class Kind {
            Folder,   // the folder is not the user's own, or cannot be made or written
            DiskFull, // its file system has no space left
            Failed,   // the journal could not be written
            TooLarge, // the changes are more than a journal holds
        };
        Kind kind = Kind::Failed;
        files::FolderResult::Status folder = files::FolderResult::Status::Ok; // for Folder
        QString detail; // the system's own words, when it gave any
    };

    // A file among the journals that is no journal to read: a link, pipe, folder or device, or
    // one larger than any journal.
    struct SetAside {
        QString file;
        QString newPath; // empty when it could not be renamed; it is not read either way
        files::ReadResult::Status found = files::ReadResult::Status::NotRegular;
    };

    // A journal as a session left it.
    struct Left {
        QString file;
        QString sourcePath;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        quint64 hash = 0;
        int lists = 0;
        QString edits; // the edit file, header lines included (they are comments)
    };

    RecoveryJournal(ScriptDocument& document, QString folder);
    ~RecoveryJournal() override;

    // The user's own place for journals: the application's local data folder.
    static QString defaultFolder();

    // Writes this session's journal now: the changes since the read, or none.
    void record();
    // The unwritten changes were given up: this session's journal goes.
    void discard();

    // Journals other sessions left for the script at `sourcePath`, newest first. Files under a
    // journal's name that are no journal are set aside unread, each told by journalSetAside.
    std::vector<Left> leftFor(const QString& sourcePath);
    // Whether a journal belongs to the script as it was read now: same size, time and contents.
    static bool matches(const Left& left, const SourceStamp& stamp);
    static void remove(const Left& left);

    // Where this session writes its journal; empty before a read.
    const QString& file() const { return file_; }

    // Whether changes are being kept: false from a failed write or a folder that cannot be used
    // until a write succeeds.
    bool isRecording() const { return recording_; }
    // Checks now that journals can be written, so a start can say at once that they cannot.
    bool checkFolder();

signals:
    // Recording stopped: sent once, when it stops.
    void recordingFailed(const vw::RecoveryJournal::Failure& reason);
    // A write succeeded after recordingFailed.
    void recordingResumed();
    void journalSetAside(const vw::RecoveryJournal::SetAside& file);

private:
    void documentReset();
    QString prefixFor(const QString& sourcePath) const;
    void failed(Failure reason);
    void succeeded();

    ScriptDocument& document_;
    QString folder_;
    QString file_;
    bool pending_ = false;
    bool recording_ = true;
};

} // namespace vw
