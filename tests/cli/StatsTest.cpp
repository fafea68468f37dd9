#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace vw::cli::test;

namespace {

// The members of an object and their JSON types, written "name:type" with the type a letter:
// s string, n number, b bool, a array, o object, z null, and "s|z" for either.
void expectMembers(const QJsonValue& value, const QString& members) {
    const QJsonObject object = value.toObject();
    const QStringList expected = members.split(u' ');
    EXPECT_EQ(object.size(), expected.size()) << members.toStdString();
    for (const QString& member : expected) {
        const QString name = member.section(u':', 0, 0);
        const QJsonValue field = object.value(name);
        const QString type = field.isString()   ? u"s"_s
                             : field.isDouble() ? u"n"_s
                             : field.isBool()   ? u"b"_s
                             : field.isArray()  ? u"a"_s
                             : field.isObject() ? u"o"_s
                             : field.isNull()   ? u"z"_s
                                                : u"missing"_s;
        EXPECT_TRUE(member.section(u':', 1).split(u'|').contains(type))
            << name.toStdString() << " is " << type.toStdString();
    }
}

} // namespace

TEST(CliStats, JsonKeepsItsSchema) {
    Workspace ws;
    const CliRun run = runArgs(
        {u"stats"_s, ws.script(MerchantScript), u"--catalogue"_s, catalogue(), u"--json"_s});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    QJsonParseError error{};
    const QJsonObject doc = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    expectMembers(doc, u"version:n script:s catalogue:s totals:o categories:a locations:a "
                       u"unsold:o soleSellers:a shortLists:a listLengths:a taxRates:a "
                       u"rateConflicts:a"_s);
    EXPECT_EQ(doc[u"version"_s].toInt(), 1);
    expectMembers(doc[u"totals"_s], u"records:n lists:n items:n distinctItems:n"_s);
    EXPECT_EQ(doc[u"totals"_s][u"items"_s].toInt(), 7);
    expectMembers(doc[u"categories"_s][0], u"code:s|z name:s|z"_s);
    const QJsonArray locations = doc[u"locations"_s].toArray();
    ASSERT_EQ(locations.size(), 5);
    for (const QJsonValue& location : locations)
        expectMembers(location, u"name:s|z records:a npcsWithItems:n items:n distinctItems:n "
                                u"distinctByCategory:a"_s);
    EXPECT_EQ(locations[3][u"name"_s].toString(), u"白石镇"_s);
    EXPECT_EQ(locations[3][u"records"_s].toArray(), (QJsonArray{0, 1}));
    EXPECT_TRUE(locations[4][u"name"_s].isNull());
    const QString place = u" record:n className:s list:s"_s;
    const QJsonObject unsold = doc[u"unsold"_s].toObject();
    expectMembers(unsold, u"items:n byCategoryGrade:a first:a"_s);
    expectMembers(unsold[u"byCategoryGrade"_s][0], u"category:s|z grade:s items:n"_s);
    expectMembers(unsold[u"first"_s][0],
                  u"id:s chineseName:s|z englishName:s category:s|z grade:s"_s);
    expectMembers(doc[u"soleSellers"_s][0], u"id:s chineseName:s|z"_s + place);
    expectMembers(doc[u"shortLists"_s][0], u"items:n"_s + place);
    expectMembers(doc[u"listLengths"_s][0], u"items:n lists:n"_s);
    expectMembers(doc[u"taxRates"_s][0], u"rate:s number:b items:n first:o"_s);
    expectMembers(doc[u"taxRates"_s][0][u"first"_s], u"id:s"_s + place);
    const QJsonObject conflict = doc[u"rateConflicts"_s][0].toObject();
    expectMembers(conflict, u"id:s chineseName:s|z rates:a"_s);
    EXPECT_EQ(conflict[u"id"_s].toString(), u"2"_s);
    expectMembers(conflict[u"rates"_s][1], u"rate:s lists:n first:o"_s);
    expectMembers(conflict[u"rates"_s][1][u"first"_s], place.trimmed());
    EXPECT_EQ(conflict[u"rates"_s][1][u"first"_s][u"className"_s].toString(),
              u"weaponsmith_borin"_s);
}
