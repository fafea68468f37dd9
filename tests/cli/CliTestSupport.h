#pragma once

#include "../support/TestFiles.h"
#include "Cli.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace vw::cli::test {

using namespace Qt::Literals::StringLiterals;

// One in-process run of the program: its exit code and both streams.
struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

inline CliRun runArgs(const QStringList& args) {
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = runCli(args, out, err);
    return run;
}

inline QString fixture(const QString& name) {
    return QString::fromUtf8(VW_FIXTURES_DIR) + u'/' + name;
}

// The Access catalogue of the fixtures: grocer_amber and weaponsmith_borin stand in 白石镇,
// the town table spells Guard_Hal so, priest_nola stands nowhere; items 12, 44, 60 and 61
// have no ITEMNAME_E2C row.
inline QString catalogue() {
    return fixture(u"catalogue.mdb"_s);
}

// Two merchants of the fixture catalogue, clean for "check". Line numbers in comments count
// from 1; the reader's line texts are one more.
inline const QStringList MerchantScript = {
    u"class grocer_amber : merchant"_s,      //  1
    u"property_define_begin"_s,              //  2
    u"\tbuyselllist_begin SellList0"_s,      //  3
    u"\t\t{40; 10; 0.000000; 0 };"_s,        //  4
    u"\t\t{41; 10; 0.000000; 0 };"_s,        //  5
    u"\t\t{42; 10; 0.000000; 0 };"_s,        //  6
    u"\tbuyselllist_end"_s,                  //  7
    u"\tbuyselllist_begin SellList1"_s,      //  8
    u"\t\t{1; 15; 0.000000; 0 };"_s,         //  9
    u"\t\t{2; 15; 0.000000; 0 };"_s,         // 10
    u"\tbuyselllist_end"_s,                  // 11
    u"property_define_end"_s,                // 12
    u"class_end"_s,                          // 13
    u"class weaponsmith_borin : merchant"_s, // 14
    u"property_define_begin"_s,              // 15
    u"\tbuyselllist_begin SellList0"_s,      // 16
    u"\t\t{2; 10; 1.5; 7 };"_s,              // 17
    u"\t\t{3; 10; 1.5; 7 };"_s,              // 18
    u"\tbuyselllist_end"_s,                  // 19
    u"property_define_end"_s,                // 20
    u"class_end"_s,                          // 21
};

// A temporary folder to put scripts, edit files and outputs in.
class Workspace {
public:
    QString path(const QString& name) const { return dir_.filePath(name); }

    QString script(const QStringList& lines, const QString& name = u"ai.obj"_s) const {
        vw::test::writeFile(path(name), vw::test::scriptBytes(lines));
        return path(name);
    }

    QString text(const QString& content, const QString& name) const {
        vw::test::writeFile(path(name), content.toUtf8());
        return path(name);
    }

private:
    QTemporaryDir dir_;
};

} // namespace vw::cli::test
