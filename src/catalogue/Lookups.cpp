#include "Lookups.h"

#include "catalogue/Statements.h"

namespace vw {

bool CatalogueLookups::run(const QString& statement, const QStringList& values) {
    if (failed())
        return false;
    if (source_.run(statement, values))
        return true;
    error_ = source_.errorText();
    return false;
}

std::optional<QString> CatalogueLookups::npcChineseName(const QString& className) {
    if (!run(sql::npcChineseName(), {className}) || source_.atEnd())
        return std::nullopt;
    return source_.field(u"中文名称");
}

bool CatalogueLookups::itemKnown(const QString& id) {
    // Every ID as the table holds it, read once: an ID found there as it is written is a row
    // the statement finds too. Only the others (another letter case, a number written another
    // way, no row at all) are asked one by one, as the engine compares them.
    if (!idsRead_) {
        idsRead_ = true;
        if (run(sql::itemIds())) {
            for (; !source_.atEnd(); source_.advance())
                storedIds_.insert(source_.field(0));
        }
    }
    if (storedIds_.contains(id))
        return true;
    if (const auto cached = knownItems_.constFind(id); cached != knownItems_.cend())
        return *cached;
    if (!run(sql::itemNames(), {id}))
        return false;
    const bool known = !source_.atEnd();
    knownItems_.insert(id, known);
    return known;
}

QSet<QString> CatalogueLookups::placedNpcs() {
    // The statement of the window's "all locations" entry would also demand an NPCNAME_E2C
    // row; a placement without a Chinese name is still a placement.
    QSet<QString> names;
    if (!run(sql::placedNpcs()))
        return names;
    for (; !source_.atEnd(); source_.advance())
        names.insert(source_.field(u"NPC英文名"));
    return names;
}

QStringList CatalogueLookups::npcsAt(const QString& location) {
    QStringList names;
    if (!run(sql::locationNpcs(location)))
        return names;
    for (; !source_.atEnd(); source_.advance())
        names.append(source_.field(u"NPC英文名"));
    return names;
}

QStringList CatalogueLookups::locationsOf(const QString& className) {
    QStringList places;
    if (!run(sql::placesOf(), {className}))
        return places;
    for (; !source_.atEnd(); source_.advance()) {
        if (source_.field(u"NPC英文名") == className &&
            !places.contains(source_.field(u"地点名称")))
            places.append(source_.field(u"地点名称"));
    }
    return places;
}

} // namespace vw
