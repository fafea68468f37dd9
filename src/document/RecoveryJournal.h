#pragma once

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
class RecoveryJournal : public QObject {
    Q_OBJECT

public:
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

    // Journals other sessions left for the script at `sourcePath`, newest first.
    std::vector<Left> leftFor(const QString& sourcePath) const;
    // Whether a journal belongs to the script as it was read now: same size, time and contents.
    static bool matches(const Left& left, const SourceStamp& stamp);
    static void remove(const Left& left);

    // Where this session writes its journal; empty before a read.
    const QString& file() const { return file_; }

private:
    void documentReset();
    QString prefixFor(const QString& sourcePath) const;

    ScriptDocument& document_;
    QString folder_;
    QString file_;
    bool pending_ = false;
};

} // namespace vw
