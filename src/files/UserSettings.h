#pragma once

#include "OwnFiles.h"

#include <QString>
#include <QStringList>

#include <map>

namespace vw {

// The keys the program keeps its files under.
namespace settingKeys {
inline constexpr QStringView catalogue = u"files/catalogue";
inline constexpr QStringView script = u"files/script";
inline constexpr QStringView recent = u"files/recent";
} // namespace settingKeys

// What the user chose last, kept in one file of the user's own, in the format QSettings gives
// its INI files: files it wrote are read as they are, and it reads the ones written here. Only
// text and lists of texts are kept; a value of another kind QSettings may have stored reads as
// none. The file is read bounded and never through a link or a pipe, and replaced whole, never
// followed, when saved.
class UserSettings {
public:
    // A settings file is a few lines; one larger than this is none the program wrote.
    static constexpr qint64 MaxFileSize = 1024 * 1024;
    static constexpr qsizetype RecentCount = 8;

    struct Loaded {
        enum class Status {
            Read,       // read, or nothing there yet
            SetAside,   // not a regular file, or too large: renamed, never read
            Refused,    // as SetAside, but it could not be renamed: left where it is, never read
            Unreadable, // a regular file the system would not read
        };
        Status status = Status::Read;
        files::ReadResult::Status found = files::ReadResult::Status::Missing;
        QString setAsideAs; // for SetAside: where the file now stands
        QString detail;     // the system's own words, when it gave any
    };

    explicit UserSettings(QString path = defaultPath());

    // ~/.config/Vendwright/vendwright.conf, after the user's XDG_CONFIG_HOME.
    static QString defaultPath();
    const QString& path() const { return path_; }

    // Replaces the values by the file's. Whatever it reports, the values are usable: a file that
    // was not read leaves none. Every list is cut to its bound while it is read.
    Loaded load();
    // Whether changes outlive the session: false when the folder cannot take the file, or the
    // last save failed; true again after a save that succeeds.
    bool kept() const { return kept_; }

    // A text: for a list, its one item, else none.
    QString string(QStringView key) const;
    // A list: a text is a list of one.
    QStringList stringList(QStringView key) const;
    void setString(QStringView key, const QString& value);
    void setStringList(QStringView key, const QStringList& values);
    void remove(QStringView key);

    // The scripts read last, newest first, at most RecentCount, none empty.
    QStringList recentScripts() const;
    // A script was read: it is the one read last and heads the recent scripts.
    void rememberScript(const QString& path);
    // A recent script that is gone leaves the list.
    void forgetRecent(const QString& path);

    // Writes the file. Values another session saved since this one loaded are kept, except where
    // this one changed them: the last change of a key wins, as with QSettings.
    files::SaveResult save();

    // A value as the file holds it: a text, or a list (a value the file marks as none is an
    // empty list).
    struct Value {
        QStringList items;
        bool list = false;
    };
    using Values = std::map<QString, Value>;

private:
    void change(QStringView key, Value value);

    QString path_;
    Values values_;
    std::map<QString, bool> changed_; // key → whether it was removed
    bool kept_ = true;
};

} // namespace vw
