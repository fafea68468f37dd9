#pragma once

#include "catalogue/DataSource.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace vw {

class CatalogueDb;

// The questions the checks, the search for sellers and the command line ask the catalogue.
// Answers that match names return the catalogue's text as stored, so callers compare it with
// class names exactly: the engine itself compares text without regard to letter case.
// A statement the engine refuses (a catalogue without the table, say) gives empty answers from
// then on, and error() tells why.
class CatalogueLookups {
public:
    explicit CatalogueLookups(CatalogueDb& db) : source_(db) {}

    // The NPCNAME_E2C name of a class; none when it has no row.
    std::optional<QString> npcChineseName(const QString& className);
    // Whether ITEMNAME_E2C has a row for the item ID. Answers are kept: lists repeat items.
    bool itemKnown(const QString& id);
    // Every NPC英文名 of 城镇NPC表, whether or not NPCNAME_E2C names it.
    QSet<QString> placedNpcs();
    // The NPC英文名 of every NPC placed at `location`, as the main window lists them.
    QStringList npcsAt(const QString& location);
    // The locations whose 城镇NPC表 rows name the class exactly, in the catalogue's order.
    QStringList locationsOf(const QString& className);

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

private:
    bool run(const QString& statement, const QStringList& values = {});

    DataSource source_;
    QHash<QString, bool> knownItems_;
    QSet<QString> storedIds_;
    bool idsRead_ = false;
    QString error_;
};

} // namespace vw
