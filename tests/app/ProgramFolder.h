#pragma once

#include "../support/ScriptedDialogs.h"
#include "../support/TestFiles.h"
#include "app/CatalogueFiles.h"
#include "app/MainWindow.h"
#include "app/ScriptFiles.h"
#include "controls/Combo.h"
#include "controls/Grid.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace vw::test {

// A program folder in a temporary directory: the fixture catalogue (a real Access file) as
// DB/Wareroll.mdb and, when given, a script as AI/ai.obj; plus a main window over it.
class ProgramFolder {
public:
    explicit ProgramFolder(const QStringList& script = {}, bool withCatalogue = true) {
        // The user's own files (remembered paths, recovery journals) stay with the folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(u"home/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(path(u"home/data")));
        QDir(dir.path()).mkpath(QStringLiteral("DB"));
        QDir(dir.path()).mkpath(QStringLiteral("AI"));
        if (withCatalogue)
            QFile::copy(QStringLiteral(VW_FIXTURES_DIR "/catalogue.mdb"), path(u"DB/Wareroll.mdb"));
        if (!script.isEmpty())
            writeFile(scriptPath(), scriptBytes(script));
    }

    // The fixture catalogue as an SQLite file, changed by `changes` (SQL).
    void useSqliteCatalogue(const QByteArray& changes) {
        QFile::remove(path(u"DB/Wareroll.mdb"));
        const QByteArray sql = readFile(QStringLiteral(VW_FIXTURES_DIR "/catalogue.sql")) + changes;
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path(u"DB/Wareroll.mdb")).constData(), &db);
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

    QString path(QStringView relative) const { return dir.path() + u'/' + relative.toString(); }
    QString scriptPath() const { return path(u"AI/ai.obj"); }

    MainWindow& start() {
        window = std::make_unique<MainWindow>(dir.path(), &dialogs);
        window->load();
        return *window;
    }

    template <typename T> T& control(const char* name) {
        return *window->findChild<T*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

// Runs a command as a menu entry, tool or button does: through its action, named by its tool ID.
inline void trigger(MainWindow& window, const char* id) {
    window.findChild<QAction*>(QString::fromLatin1(id))->trigger();
}

// The texts of a grid column below the header, and of a drop-down's entries.
inline QStringList column(const Grid& grid, int col) {
    QStringList list;
    for (int r = 1; r < grid.rows(); ++r)
        list.append(grid.text(r, col));
    return list;
}

inline QStringList entries(const Combo& combo) {
    QStringList list;
    for (int i = 0; i < combo.entryCount(); ++i)
        list.append(combo.entryText(i));
    return list;
}

// Merchants of the fixture catalogue: grocer_amber stands in two towns, guard_hal differs in
// case from the catalogue's Guard_Hal, item 12 has no name row.
inline QStringList sampleScript() {
    return {
        u"// sample"_s,
        u"class grocer_amber : citizen"_s,
        u"property_define_begin"_s,
        u"\tbuyselllist_begin SellList0"_s,
        u"\t\t{1; 10; 0.000000; 0 };"_s,
        u"\t\t{2; 10; 0.000000; 0 };"_s,
        u"\t\t{3; 5; 0.000000; 0 };"_s,
        u"\tbuyselllist_end"_s,
        u"\tbuyselllist_begin SellList1"_s,
        u"\t\t{40; 0; 0.000000; 0 };"_s,
        u"\t\t{41; 0; 0.000000; 0 };"_s,
        u"\tbuyselllist_end"_s,
        u"property_define_end"_s,
        u"class_end"_s,
        u"class weaponsmith_borin : citizen"_s,
        u"property_define_begin"_s,
        u"\tbuyselllist_begin SellList1"_s,
        u"\t\t{4; 10; 0.000000; 0 };"_s,
        u"\t\t{5; 10; 0.000000; 0 };"_s,
        u"\t\t{12; 10; 0.000000; 0 };"_s,
        u"\t\t{6; 10; 0.000000; 0 };"_s,
        u"\tbuyselllist_end"_s,
        u"property_define_end"_s,
        u"class_end"_s,
        u"class guard_hal : citizen"_s,
        u"property_define_begin"_s,
        u"\tbuyselllist_begin SellList0"_s,
        u"\t\t{20; 0; 0.000000; 0 };"_s,
        u"\tbuyselllist_end"_s,
        u"property_define_end"_s,
        u"class_end"_s,
    };
}

// The one window fixture of the suites: the sample script read, grocer_amber's first list shown.
struct Loaded {
    explicit Loaded(const QStringList& script = sampleScript()) : folder(script) {
        trigger(window, "ID_Load");
        npcs.setText(u"grocer_amber|杂货商安珀"_s);
    }
    QAction& action(const char* id) { return folder.control<QAction>(id); }
    void typeRate(const QString& rate) { folder.control<QLineEdit>("Text2").setText(rate); }
    const ShopRecord& grocer() const { return window.document().records()[0]; }
    bool dirty() const { return window.windowTitle().endsWith(u" *"); }

    ProgramFolder folder;
    MainWindow& window = folder.start();
    Combo& locations = folder.control<Combo>("Combo5");
    Combo& npcs = folder.control<Combo>("Combo2");
    Combo& lists = folder.control<Combo>("Combo4");
    Grid& listGrid = folder.control<Grid>("MSFlexGrid1");
    Grid& itemGrid = folder.control<Grid>("MSFlexGrid2");
};

} // namespace vw::test
