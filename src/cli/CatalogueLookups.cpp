#include "CatalogueLookups.h"

#include "CliError.h"
#include "catalogue/Statements.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

void CatalogueLookups::run(const QString& statement) {
    if (!source_.run(statement))
        throw CliError{ExitInput, u"catalogue query failed: "_s + source_.errorText()};
}

std::optional<QString> CatalogueLookups::npcChineseName(const QString& className) {
    run(sql::npcChineseName(className));
    if (source_.atEnd())
        return std::nullopt;
    return source_.field(u"中文名称");
}

bool CatalogueLookups::itemKnown(const QString& id) {
    if (const auto cached = knownItems_.constFind(id); cached != knownItems_.cend())
        return *cached;
    run(sql::itemNames(id));
    const bool known = !source_.atEnd();
    knownItems_.insert(id, known);
    return known;
}

QSet<QString> CatalogueLookups::placedNpcs() {
    // The statement of the window's "all locations" entry would also demand an NPCNAME_E2C
    // row; a placement without a Chinese name is still a placement.
    run(u"select NPC英文名 from 城镇NPC表"_s);
    QSet<QString> names;
    for (; !source_.atEnd(); source_.advance())
        names.insert(source_.field(u"NPC英文名"));
    return names;
}

QStringList CatalogueLookups::npcsAt(const QString& location) {
    run(sql::locationNpcs(location));
    QStringList names;
    for (; !source_.atEnd(); source_.advance())
        names.append(source_.field(u"NPC英文名"));
    return names;
}

} // namespace vw::cli
