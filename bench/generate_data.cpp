// Writes a large invented NPC AI script (UTF-16LE) and a matching catalogue (SQLite) for the
// benchmarks. Everything comes from a fixed-seed generator, so every run writes the same bytes.
//
//     vw_generate OUT_DIR [--lines N]      → OUT_DIR/ai.obj, OUT_DIR/Wareroll.mdb,
//                                            OUT_DIR/ai.edited.obj
//
// ai.edited.obj is ai.obj with every sixth merchant's lists edited as a user would (an item
// removed, one added, one moved, a tax rate changed) and a few handler lines changed: the newer
// script that diff compares with.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringEncoder>

#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

class Rng { // splitmix64: the same sequence on every platform and library
public:
    quint64 next() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<quint64>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    template <typename C> auto pick(const C& from) {
        return from[static_cast<size_t>(below(static_cast<int>(std::size(from))))];
    }

private:
    quint64 state_ = 20040601;
};

QString num(qint64 n) {
    return QString::number(n);
}
QString padded(int n) {
    return u"%1"_s.arg(n, 5, 10, QChar(u'0'));
}
QStringList words(QStringView text) {
    return text.toString().split(u' ');
}

// ---- the catalogue model -------------------------------------------------------------------

const QStringList WeaponTypes = words(u"sword blunt bow dagger pole fist");
const QStringList ArmorTypes = words(u"light heavy robe shield");
const QStringList EtcTypes = words(u"arrow potion scroll material recipe");
const QStringList Grades = words(u"none d c b a s");
const QStringList Glossary = words(u"weapon:武器 armor:防具 accessary:饰品 etcitem:杂项 "
                                   u"questitem:任务物品 sword:剑 blunt:钝器 bow:弓 dagger:匕首 "
                                   u"pole:长柄武器 fist:拳套 light:轻甲 heavy:重甲 robe:法袍 "
                                   u"shield:盾牌 arrow:箭矢 potion:药水 scroll:卷轴 material:材料 "
                                   u"recipe:配方 none:无");
const QStringList Syllables = words(u"Ash Brine Cinder Dusk Ember Fen Gale Hollow Iron Jade "
                                    u"Kestrel Lumen Moss Night Oak Pale Quill Rime Storm Thorn");
const QString Hanzi = u"灰潮烬暮焰沼风空铁玉隼光苔夜橡白羽霜雷棘赭谷龙杉"_s;

struct Item {
    int id;
    QString category, type, grade;
};

// 15,000 items; etcitem of every type with no grade is the largest filter result (5,250).
std::vector<Item> makeItems(Rng& rng) {
    std::vector<Item> items;
    // `ungraded`: how many of every ten items carry no grade; -1: any grade at random.
    const auto add = [&](const QString& category, int count, const QStringList& types,
                         int ungraded) {
        for (int i = 0; i < count; ++i) {
            const QString type = types.isEmpty() ? u"none"_s : rng.pick(types);
            const int grade = ungraded < 0        ? rng.below(6)
                              : i % 10 < ungraded ? 0
                                                  : rng.between(1, 5);
            items.push_back({static_cast<int>(items.size()) + 1, category, type, Grades[grade]});
        }
    };
    add(u"weapon"_s, 3000, WeaponTypes, -1);
    add(u"armor"_s, 3000, ArmorTypes, -1);
    add(u"accessary"_s, 1000, {}, -1);
    add(u"etcitem"_s, 7500, EtcTypes, 7);
    add(u"questitem"_s, 500, {}, 10);
    return items;
}

QString englishName(Rng& rng, const Item& item) {
    const QString noun = item.type == u"none" ? item.category : item.type;
    return rng.pick(Syllables) + rng.pick(Syllables).toLower() + u' ' + noun.left(1).toUpper() +
           noun.mid(1);
}

QString chineseName(Rng& rng, int length) {
    QString name;
    for (int i = 0; i < length; ++i)
        name += rng.pick(Hanzi);
    return name;
}

// ---- writing the catalogue -----------------------------------------------------------------

void bindOne(sqlite3_stmt* st, int i, qint64 v) {
    sqlite3_bind_int64(st, i, v);
}
void bindOne(sqlite3_stmt* st, int i, const QString& v) {
    sqlite3_bind_text16(st, i, v.utf16(), static_cast<int>(v.size() * 2), SQLITE_TRANSIENT);
}
template <typename... T> void insertRow(sqlite3_stmt* st, const T&... values) {
    int i = 0;
    (bindOne(st, ++i, values), ...);
    sqlite3_step(st);
    sqlite3_reset(st);
}

bool writeCatalogue(const QString& path, const std::vector<Item>& items,
                    const std::vector<QString>& merchants, const std::vector<QString>& others) {
    Rng rng;
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    const char* schema =
        "CREATE TABLE Itemdata_R (物品ID INTEGER, 物品类型 TEXT, 物品名称 TEXT, "
        "slot_bit_type TEXT, weapon_type TEXT, armor_type TEXT, etcitem_type TEXT, crystal_type "
        "TEXT, default_price "
        "INTEGER, physical_damage INTEGER, magical_damage INTEGER, physical_defense INTEGER, "
        "magical_defense INTEGER);"
        "CREATE TABLE ITEMNAME_C (物品ID INTEGER, 中文名称 TEXT, 附加说明 TEXT);"
        "CREATE TABLE ITEMNAME_E2C (ID TEXT, 中文名称 TEXT, 英文名称 TEXT);"
        "CREATE TABLE NPCNAME_E2C (英文名称 TEXT, 中文名称 TEXT);"
        "CREATE TABLE 城镇NPC表 (地点名称 TEXT, NPC英文名 TEXT);"
        "CREATE TABLE 中英文对照 (英文名称 TEXT, 中文名称 TEXT);"
        "BEGIN";
    sqlite3_exec(db, schema, nullptr, nullptr, nullptr);
    const auto prepare = [db](const char* sql) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        return st;
    };
    sqlite3_stmt* data = prepare("INSERT INTO Itemdata_R VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
    sqlite3_stmt* names = prepare("INSERT INTO ITEMNAME_C VALUES (?,?,?)");
    sqlite3_stmt* e2c = prepare("INSERT INTO ITEMNAME_E2C VALUES (?,?,?)");
    for (const Item& item : items) {
        const QString english = englishName(rng, item);
        const QString chinese = chineseName(rng, rng.between(2, 3)) + u"之"_s + chineseName(rng, 1);
        const bool weapon = item.category == u"weapon", armor = item.category == u"armor";
        const qint64 power = (item.grade == u"none" ? 10 : 40) + rng.below(200);
        const QString slot = weapon ? u"rhand"_s : armor ? u"chest"_s : u"none"_s;
        insertRow(data, qint64(item.id), item.category, english, slot,
                  weapon ? item.type : u"none"_s, armor ? item.type : u"none"_s,
                  item.category == u"etcitem" ? item.type : u"none"_s, item.grade,
                  qint64(rng.between(10, 5000000)), weapon ? power : 0, weapon ? power / 2 : 0,
                  armor ? power : 0, item.category == u"accessary" ? power / 3 : 0);
        insertRow(names, qint64(item.id), chinese, rng.below(4) == 0 ? u"稀有物品"_s : QString());
        insertRow(e2c, num(item.id), chinese, english);
    }
    sqlite3_stmt* npcs = prepare("INSERT INTO NPCNAME_E2C VALUES (?,?)");
    for (const QString& name : merchants)
        insertRow(npcs, name, u"商人"_s + chineseName(rng, 2));
    for (const QString& name : others)
        insertRow(npcs, name, chineseName(rng, 3));
    for (int i = static_cast<int>(merchants.size() + others.size()); i < 20000; ++i)
        insertRow(npcs, u"wanderer_"_s + padded(i), chineseName(rng, 3));
    // 40 towns; every merchant stands in one, every tenth also in the next, a few guards too.
    sqlite3_stmt* towns = prepare("INSERT INTO 城镇NPC表 VALUES (?,?)");
    const auto town = [](size_t i) {
        return QString(Hanzi[i % 8]) + Hanzi[8 + i / 8 % 16] + (i % 2 ? u"镇"_s : u"堡"_s);
    };
    for (size_t m = 0; m < merchants.size(); ++m) {
        insertRow(towns, town(m % 40), merchants[m]);
        if (m % 10 == 3)
            insertRow(towns, town((m + 1) % 40), merchants[m]);
    }
    for (size_t g = 0; g < others.size() && g < 400; ++g)
        insertRow(towns, town(g % 40), others[g]);
    sqlite3_stmt* glossary = prepare("INSERT INTO 中英文对照 VALUES (?,?)");
    for (const QString& entry : Glossary)
        insertRow(glossary, entry.section(u':', 0, 0), entry.section(u':', 1));
    for (sqlite3_stmt* st : {data, names, e2c, npcs, towns, glossary})
        sqlite3_finalize(st);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// ---- writing the script --------------------------------------------------------------------

// Writes the script and its edited copy at once: every line goes to both unless it is one
// side's own.
class ScriptOut {
public:
    ScriptOut(QFile& file, QFile& edited) : files_{&file, &edited} {
        for (QFile* f : files_)
            f->write("\xFF\xFE", 2);
    }
    void line(const QString& text) { both(text, text); }
    void both(const QString& original, const QString& edited) {
        add(0, original);
        add(1, edited);
        ++lines_;
    }
    // A line of one side only: 0 the script, 1 the edited copy.
    void only(int side, const QString& text) {
        add(side, text);
        lines_ += side == 0;
    }
    void flush() {
        for (int side = 0; side < 2; ++side) {
            files_[side]->write(encoder_(buffers_[side]));
            buffers_[side].clear();
        }
    }
    qint64 lines() const { return lines_; }

private:
    void add(int side, const QString& text) {
        buffers_[side] += text;
        buffers_[side] += u"\r\n";
        if (buffers_[side].size() > (1 << 20)) {
            files_[side]->write(encoder_(buffers_[side]));
            buffers_[side].clear();
        }
    }

    std::array<QFile*, 2> files_;
    std::array<QString, 2> buffers_;
    QStringEncoder encoder_{QStringEncoder::Utf16LE};
    qint64 lines_ = 0;
};

const QStringList Events = words(u"created() talk_selected(talker) timer_fired(timer_id) "
                                 u"seen_creature(creature) attacked(attacker,damage)");
const QStringList Statements = {
    u"myself.SetTimer(%1, %2);"_s, u"myself.AddHate(attacker, damage * %1);"_s,
    u"myself.LookAt(creature);"_s, u"myself.BroadcastEvent(\"help_guard\", attacker, %1);"_s,
    u"myself.ReturnHome();"_s,     u"myself.ShowPage(talker, \"page%1.htm\");"_s};
const QStringList Conditions = {u"timer_id == %1"_s, u"creature.is_player == 1 && Rand(100) < %1"_s,
                                u"myself.hp < myself.max_hp / %1"_s};

// A line of handler code: a template with its placeholders filled with numbers.
QString code(Rng& rng, const QStringList& templates) {
    QString text = rng.pick(templates);
    while (text.contains(u'%'))
        text = text.arg(rng.between(2, 999));
    return text;
}

void handler(ScriptOut& out, Rng& rng) {
    out.line(u"\tEventHandler "_s + rng.pick(Events));
    out.line(u"\t{"_s);
    for (int n = rng.between(1, 4); n > 0; --n) {
        if (rng.below(2)) {
            out.line(u"\t\t"_s + code(rng, Statements));
            continue;
        }
        out.line(u"\t\tif ("_s + code(rng, Conditions) + u") {"_s);
        for (int k = rng.between(1, 3); k > 0; --k)
            out.line(u"\t\t\t"_s + code(rng, Statements));
        out.line(u"\t\t}"_s);
    }
    out.line(u"\t}"_s);
}

// A sell list; with an `editor`, the edited copy gets it changed.
void sellList(ScriptOut& out, Rng& rng, int list, int count, int itemCount, Rng* editor) {
    out.line(u"\tbuyselllist_begin SellList"_s + num(list));
    const int step = rng.between(1, 3);
    const int first = rng.between(1, itemCount - count * step);
    static const int Taxes[] = {0, 5, 10, 15};
    const QString tax = num(rng.pick(Taxes));
    std::vector<QString> ids, taxes;
    for (int i = 0; i < count; ++i) {
        ids.push_back(num(first + i * step));
        taxes.push_back(tax);
    }
    const auto item = [&](size_t i) {
        return u"\t\t{"_s + ids[i] + u"; "_s + taxes[i] + u"; 0.000000; 0 };"_s;
    };
    const auto write = [&](int side) {
        for (size_t i = 0; i < ids.size(); ++i)
            out.only(side, item(i));
    };
    if (!editor) {
        for (size_t i = 0; i < ids.size(); ++i)
            out.line(item(i));
    } else {
        write(0);
        const auto at = [&](int n) { return static_cast<size_t>(editor->below(n)); };
        const size_t removed = at(count);
        ids.erase(ids.begin() + static_cast<qsizetype>(removed));
        taxes.erase(taxes.begin() + static_cast<qsizetype>(removed));
        const size_t added = at(count);
        ids.insert(ids.begin() + static_cast<qsizetype>(added),
                   num(itemCount + 1 + editor->below(999)));
        taxes.insert(taxes.begin() + static_cast<qsizetype>(added), u"12"_s);
        const size_t from = at(count), to = at(count - 1);
        const QString moved = ids[from], movedTax = taxes[from];
        ids.erase(ids.begin() + static_cast<qsizetype>(from));
        taxes.erase(taxes.begin() + static_cast<qsizetype>(from));
        ids.insert(ids.begin() + static_cast<qsizetype>(to), moved);
        taxes.insert(taxes.begin() + static_cast<qsizetype>(to), movedTax);
        taxes[at(count)] = u"7"_s;
        write(1);
    }
    out.line(u"\tbuyselllist_end"_s);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vw_generate OUT_DIR [--lines N]\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    qint64 lineTarget = 1200000;
    if (argc >= 4 && QByteArrayView(argv[2]) == "--lines")
        lineTarget = std::max(2000ll, QByteArray(argv[3]).toLongLong());
    const QString scriptPath = dir + u"/ai.obj"_s, dbPath = dir + u"/Wareroll.mdb"_s;
    const QString editedPath = dir + u"/ai.edited.obj"_s;
    if (QFileInfo::exists(scriptPath) && QFileInfo::exists(dbPath) &&
        QFileInfo::exists(editedPath)) {
        std::printf("data present in %s\n", argv[1]);
        return 0;
    }
    QDir().mkpath(dir);
    Rng rng;
    const std::vector<Item> items = makeItems(rng);
    const int itemCount = static_cast<int>(items.size());

    // About 100 lines a class; every twentieth class is a merchant, the first with 250 items.
    QFile file(scriptPath);
    QFile edited(editedPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !edited.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    std::vector<QString> merchants, others;
    const int classCount = static_cast<int>(lineTarget / 100);
    ScriptOut out(file, edited);
    // The edits of the copy come from a generator of their own, so the script stays as it was.
    Rng editor;
    editor.next();
    out.line(u"// invented NPC AI script for benchmarks"_s);
    for (int c = 0; c < classCount; ++c) {
        const qint64 target = out.lines() + (lineTarget - out.lines()) / (classCount - c);
        const bool merchant = c % 20 == 7;
        const QString name = (merchant ? u"merchant_"_s : u"monster_"_s) + padded(c);
        (merchant ? merchants : others).push_back(name);
        out.line(u"class "_s + name + (merchant ? u" : merchant"_s : u" : monster"_s));
        out.line(u"property_define_begin"_s);
        out.line(u"\tint level = "_s + num(rng.between(1, 80)));
        out.line(u"\tstring display_name = \""_s + name + u'"');
        if (merchant) {
            const bool longest = merchants.size() == 1;
            Rng* edits = merchants.size() % 6 == 0 ? &editor : nullptr;
            sellList(out, rng, 0, longest ? 250 : rng.between(20, 250), itemCount, edits);
            if (longest || rng.below(2))
                sellList(out, rng, 1, rng.between(20, 250), itemCount, edits);
        } else {
            const int drop = rng.between(1, itemCount);
            out.line(u"\tslot drop_list = {{"_s + num(drop) + u"; 1; 2; 30.5}}"_s);
        }
        out.line(u"property_define_end"_s);
        out.line(u"handler_define_begin"_s);
        do
            handler(out, rng);
        while (out.lines() + 3 < target);
        // Lines outside the lists change too, as in a newer release of the script.
        if (c % 50 == 0)
            out.only(1, u"\t// changed in a later release"_s);
        out.line(u"handler_define_end"_s);
        out.line(u"class_end"_s);
        out.line({});
    }
    out.flush();
    file.close();
    edited.close();
    if (!writeCatalogue(dbPath, items, merchants, others)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(dbPath));
        return 1;
    }
    std::printf("%lld lines, %lld bytes, %zu merchants\n", static_cast<long long>(out.lines()),
                static_cast<long long>(QFileInfo(scriptPath).size()), merchants.size());
    return 0;
}
