#include "Workspace.h"

#include "files/OwnFiles.h"
#include "script/LineSource.h"

#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

const QString LanguageKey = u"options/language"_s;
const QString KeepLinesKey = u"options/keepItemLines"_s;
const QString TaxRateKey = u"options/newItemTaxRate"_s;
const QString ReadLastKey = u"options/readLastScript"_s;

Workspace::Options readOptions(const UserSettings& settings) {
    Workspace::Options options;
    options.language = settings.string(LanguageKey);
    options.keepItemLines = settings.string(KeepLinesKey) == u"true";
    options.newItemTaxRate = settings.string(TaxRateKey);
    options.readLastScript = settings.string(ReadLastKey) == u"true";
    return options;
}

QString trimmed(const QString& text) {
    return trimSpaces(text).toString();
}

} // namespace

Workspace::Places Workspace::userPlaces(const QString& programDir) {
    return {programDir, UserSettings::defaultPath(), RecoveryJournal::defaultFolder()};
}

Workspace::Options Workspace::storedOptions(const Places& places) {
    // Read only: a file to set aside is the window's to set aside, and to say so.
    UserSettings settings(places.settingsFile);
    const files::ReadResult read = files::readFile(places.settingsFile, UserSettings::MaxFileSize);
    if (read.status != files::ReadResult::Status::Ok)
        return {};
    settings.load();
    return readOptions(settings);
}

Workspace::Workspace(Places places, QObject* parent)
    : QObject(parent), places_(std::move(places)), settings_(places_.settingsFile),
      settingsAtStart_(settings_.load()), options_(readOptions(settings_)),
      journal_(new RecoveryJournal(document_, places_.journalFolder)) {
    connect(&document_, &ScriptDocument::changed, this, &Workspace::documentChanged);
}

Workspace::~Workspace() = default;

CatalogueFault Workspace::useCatalogue(const QString& path) {
    Catalogue::Opened opened = Catalogue::open(path);
    if (!opened.catalogue)
        return opened.fault;
    catalogue_ = std::move(opened.catalogue);
    rememberCatalogue(path);
    emit catalogueChanged();
    // What the results say of NPCs and places came from the catalogue before.
    findSellers(sellers_.id);
    if (checks_.ran)
        runChecks();
    return {};
}

std::vector<Workspace::Tried> Workspace::startCatalogue(const QString& named) {
    QStringList candidates;
    if (!named.isEmpty()) {
        candidates.append(named);
    } else {
        const QString remembered = settings_.string(settingKeys::catalogue);
        if (!remembered.isEmpty())
            candidates.append(remembered);
    }
    const QString fallback = places_.programDir + u"/DB/Wareroll.mdb"_s;
    if (!candidates.contains(fallback))
        candidates.append(fallback);
    std::vector<Tried> failed;
    for (const QString& path : candidates) {
        const CatalogueFault fault = useCatalogue(path);
        if (fault.kind == CatalogueFault::Kind::None)
            break;
        failed.push_back({path, fault});
    }
    return failed;
}

void Workspace::chooseScript(const QString& path) {
    if (path == chosen_)
        return;
    chosen_ = path;
    emit chosenScriptChanged();
}

QString Workspace::startScript(const QString& named) const {
    if (!named.isEmpty())
        return named;
    const QString last = settings_.string(settingKeys::script);
    if (!last.isEmpty() && QFileInfo(last).isFile())
        return last;
    const QString fallback = places_.programDir + u"/AI/ai.obj"_s;
    return QFileInfo(fallback).isFile() ? fallback : QString();
}

ScriptProblem Workspace::checkChosenScript() const {
    const QString path = trimmed(chosen_);
    if (path.isEmpty())
        return ScriptProblem::NoPath;
    const QFileInfo file(path);
    if (!file.exists())
        return ScriptProblem::Missing;
    return file.isFile() ? ScriptProblem::None : ScriptProblem::NotRegular;
}

Workspace::Read Workspace::readChosenScript(const ReadProgress& progress) {
    Read outcome;
    outcome.problem = checkChosenScript();
    if (outcome.problem != ScriptProblem::None)
        return outcome;
    const QString path = trimmed(chosen_);
    ScriptReadResult read = readScriptFile(path, progress);
    outcome.status = read.status;
    outcome.lines = read.lineCount;
    if (read.status != ReadStatus::Ok) {
        outcome.problem = ScriptProblem::Read;
        return outcome;
    }
    pending_.reset();
    document_.load(std::move(read.records), std::move(read.report), {path, read.stamp});
    rememberScript(path);
    const std::vector<RecoveryJournal::Left> left = journal_->leftFor(path);
    if (!left.empty()) {
        pending_ =
            PendingRecovery{left.front(), path, RecoveryJournal::matches(left.front(), read.stamp)};
    }
    return outcome;
}

ScriptFileWriteResult Workspace::write(const QString& output, const WriteProgress& progress) {
    const ScriptDocument::Source& source = document_.source();
    // Neither the file the records came from nor the one chosen for the next read.
    if (namesSameFile(output, chosen_))
        return {ScriptFileWriteResult::Status::OutputIsSource, {}, {}};
    ScriptFileWriteResult result =
        writeScriptFile(source.path, source.stamp, output, document_.records(), progress,
                        ScriptWriteOptions{options_.keepItemLines});
    if (result.status == ScriptFileWriteResult::Status::Ok)
        document_.markWritten();
    return result;
}

void Workspace::setOptions(const Options& options) {
    if (options == options_)
        return;
    options_ = options;
    settings_.setString(LanguageKey, options.language);
    settings_.setString(KeepLinesKey, options.keepItemLines ? u"true"_s : u"false"_s);
    settings_.setString(TaxRateKey, options.newItemTaxRate);
    settings_.setString(ReadLastKey, options.readLastScript ? u"true"_s : u"false"_s);
    saveSettings();
    emit optionsChanged();
}

QStringList Workspace::recentScripts() const {
    return settings_.recentScripts();
}

void Workspace::forgetRecent(const QString& path) {
    if (!settings_.recentScripts().contains(path))
        return;
    settings_.forgetRecent(path);
    saveSettings();
    emit recentChanged();
}

void Workspace::rememberCatalogue(const QString& path) {
    settings_.setString(settingKeys::catalogue, QFileInfo(path).absoluteFilePath());
    saveSettings();
}

void Workspace::rememberScript(const QString& path) {
    settings_.rememberScript(QFileInfo(path).absoluteFilePath());
    saveSettings();
    emit recentChanged();
}

void Workspace::saveSettings() {
    const bool keptBefore = settings_.kept();
    settings_.save();
    if (keptBefore && !settings_.kept())
        emit settingsNoLongerKept();
}

bool Workspace::recover() {
    if (!pending_ || !pending_->sourceSame || !document_.isLoaded() ||
        !namesSameFile(pending_->script, document_.source().path))
        return false;
    const RecoveryJournal::Left left = pending_->left;
    pending_.reset();
    document_.importEdits(left.edits, {}, ScriptDocument::ImportKind::Recovery);
    RecoveryJournal::remove(left);
    return true;
}

void Workspace::discardRecovery() {
    if (!pending_)
        return;
    RecoveryJournal::remove(pending_->left);
    pending_.reset();
}

bool Workspace::saveRecovery(const QString& path, QString* error) {
    if (!pending_)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pending_->left.edits.toUtf8()) < 0 ||
        !file.commit()) {
        *error = file.errorString();
        return false;
    }
    discardRecovery();
    return true;
}

bool Workspace::hasLeftEdits(const QString& script) const {
    return !script.isEmpty() && !journal_->leftFor(script).empty();
}

void Workspace::findSellers(const QString& id) {
    sellers_.id = id;
    sellers_.sales.clear();
    if (!id.isEmpty() && document_.isLoaded()) {
        sellers_.sales =
            vw::findSellers(document_.records(), id, catalogue_ ? &catalogue_->lookups() : nullptr);
    }
    emit sellersChanged();
}

void Workspace::runChecks() {
    if (!document_.isLoaded())
        return;
    checks_.findings = checkScript(document_.records(), document_.report(),
                                   catalogue_ ? &catalogue_->lookups() : nullptr);
    checks_.ran = true;
    checks_.stale = false;
    emit checksChanged();
}

void Workspace::documentChanged(const DocumentChange& change) {
    if (change.reset) {
        // Results of another read point at records that are gone.
        sellers_ = {};
        checks_ = {};
        emit sellersChanged();
        emit checksChanged();
        return;
    }
    if (change.records.empty())
        return;
    if (!sellers_.id.isEmpty())
        findSellers(sellers_.id);
    if (checks_.ran && !checks_.stale) {
        checks_.stale = true;
        emit checksChanged();
    }
}

} // namespace vw
