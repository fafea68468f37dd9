#include "app/QtTranslation.h"
#include "app/frmAbout.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;

namespace {

QString cancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

} // namespace

TEST(Shell, AboutShowsTitleAndTheBuildsVersion) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), u"关于 Vendwright"_s);
    EXPECT_EQ(about.titleText(), u"Vendwright"_s);
    EXPECT_EQ(about.versionText(), u"版本 "_s + QStringLiteral(VW_PROJECT_VERSION));
}

TEST(Shell, QtTextsAreChineseFromQtsFolderOrTheProgramFolder) {
    const QString english = cancelText();
    QTemporaryDir program;
    {
        const auto installed = installQtTranslation(qtTranslationFolders(program.path()));
        ASSERT_NE(installed, nullptr) << "Qt's translations are not installed";
        EXPECT_EQ(cancelText(), u"取消"_s);
    }
    EXPECT_EQ(cancelText(), english);

    // Without Qt's own copy, the one the program folder carries is used.
    const QString carried = program.path() + u"/translations"_s;
    QDir().mkpath(carried);
    EXPECT_EQ(installQtTranslation({program.path(), carried}), nullptr);
    QFile::copy(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_zh_CN.qm"_s,
                carried + u"/qtbase_zh_CN.qm"_s);
    const auto installed = installQtTranslation({program.path(), carried});
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(cancelText(), u"取消"_s);
}
