#pragma once

#include "catalogue/Catalogue.h"
#include "document/RecoveryJournal.h"
#include "document/ScriptDocument.h"
#include "editor/Checks.h"
#include "editor/Sellers.h"
#include "files/UserSettings.h"
#include "script/ScriptFile.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace vw {

// The lists that sell one item, as they stand.
struct SellerResults {
    QString id; // empty: no search
    std::vector<Sale> sales;
};

// The findings of the checks; stale once a step changed the records after they were made.
struct CheckResults {
    bool ran = false;
    bool stale = false;
    std::vector<Finding> findings;
};

// Why the chosen script was not read.
enum class ScriptProblem {
    None,
    NoPath,     // nothing chosen
    Missing,    // nothing at the path
    NotRegular, // a folder, pipe or device: reading a pipe could wait for ever
    Read,       // the reader failed; see the read's status
};

// Edits a session that ended without writing them left for one script, as it was read now.
struct PendingRecovery {
    RecoveryJournal::Left left;
    QString script;          // the script the journal belongs to
    bool sourceSame = false; // that script is byte for byte the one the journal was made on
};

// Everything the main window works on besides the widgets: the document of the script read,
// the catalogue in use, the script chosen for the next read, the files remembered between
// sessions, the recovery journal and an offer of what it kept, and the results of the
// searches and checks, kept up to date with the document. Views draw it and send intent;
// each change is announced once. A change that can fail (another catalogue, another script)
// is prepared aside and put in place whole, or not at all.
class Workspace : public QObject {
    Q_OBJECT

public:
    struct Places {
        QString programDir;
        QString settingsFile;
        QString journalFolder;
    };
    // The user's own places for settings and journals, beside a program folder.
    static Places userPlaces(const QString& programDir);

    // What the user set in 选项; the defaults are the program's behaviour without them.
    struct Options {
        QString language;            // "zh", "en", or "" for the system's
        bool keepItemLines = false;  // an edited list keeps the lines of its unchanged items
        QString newItemTaxRate;      // the rate of added items; "" for the tax-rate box's
        bool readLastScript = false; // a start reads the script read last at once
        bool operator==(const Options&) const = default;
    };
    // The options kept at `places`, for what must be known before a window is built.
    static Options storedOptions(const Places& places);

    explicit Workspace(Places places, QObject* parent = nullptr);
    ~Workspace() override;

    ScriptDocument& document() { return document_; }
    const ScriptDocument& document() const { return document_; }
    const QString& programDir() const { return places_.programDir; }

    // The catalogue in use; null when none could be loaded.
    Catalogue* catalogue() { return catalogue_.get(); }
    // Puts the catalogue at `path` in place of the one in use, once it has loaded and proved
    // whole; on a fault nothing changes, the remembered file included.
    CatalogueFault useCatalogue(const QString& path);
    // The catalogue to start with: the one named, else the one used last, else the program
    // folder's. Each that fails is given back with its fault, in the order tried.
    struct Tried {
        QString path;
        CatalogueFault fault;
    };
    std::vector<Tried> startCatalogue(const QString& named);

    // The script the next read takes. Before any read the window's title names it.
    const QString& chosenScript() const { return chosen_; }
    void chooseScript(const QString& path);
    // The script to start with: the one named, else the one read last, else the program
    // folder's; empty when none is there.
    QString startScript(const QString& named) const;
    // Whether the chosen script can be read; ScriptProblem::Read is never given here.
    ScriptProblem checkChosenScript() const;
    // Reads the chosen script into the document, remembers it and looks for edits left for it.
    struct Read {
        ScriptProblem problem = ScriptProblem::None;
        ReadStatus status = ReadStatus::Ok;
        qint64 lines = 0;
    };
    Read readChosenScript(const ReadProgress& progress = {});
    // Writes the edited copy of the script read to `output`; marks the document written.
    ScriptFileWriteResult write(const QString& output, const WriteProgress& progress = {});

    // How the settings file was found at start, and whether what the user chooses is kept.
    const UserSettings::Loaded& settingsAtStart() const { return settingsAtStart_; }
    bool settingsKept() const { return settings_.kept(); }

    const Options& options() const { return options_; }
    void setOptions(const Options& options);

    // The scripts read last, newest first.
    QStringList recentScripts() const;
    void forgetRecent(const QString& path);

    RecoveryJournal& journal() { return *journal_; }
    // Left by the last read; cleared once answered or by another read.
    const std::optional<PendingRecovery>& pendingRecovery() const { return pending_; }
    // The journal's edits, applied as one step to the script they belong to. False, with
    // nothing changed and the journal kept, when the script read is another one by now.
    bool recover();
    // The offer is given up: its journal goes.
    void discardRecovery();
    // The offer's edits kept as an edit file at `path`, its journal then given up; false, with
    // the journal kept, when the file could not be written (`error` tells why).
    bool saveRecovery(const QString& path, QString* error);
    // The offer is put off: its journal stays for a later read.
    void postponeRecovery() { pending_.reset(); }
    // Whether a start should read the script at once to offer back what was left for it.
    bool hasLeftEdits(const QString& script) const;

    const SellerResults& sellers() const { return sellers_; }
    // Looks for every list that sells `id`; empty clears the results.
    void findSellers(const QString& id);
    const CheckResults& checks() const { return checks_; }
    void runChecks();

signals:
    void catalogueChanged();
    void optionsChanged();
    // A save failed where saves succeeded before: sent once until one succeeds again.
    void settingsNoLongerKept();
    void chosenScriptChanged();
    void recentChanged();
    void sellersChanged();
    void checksChanged();

private:
    void documentChanged(const DocumentChange& change);
    void rememberCatalogue(const QString& path);
    void rememberScript(const QString& path);
    void saveSettings();

    Places places_;
    ScriptDocument document_;
    UserSettings settings_;
    UserSettings::Loaded settingsAtStart_;
    Options options_;
    std::unique_ptr<Catalogue> catalogue_;
    QString chosen_;
    RecoveryJournal* journal_;
    std::optional<PendingRecovery> pending_;
    SellerResults sellers_;
    CheckResults checks_;
};

} // namespace vw
