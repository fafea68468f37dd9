// Start-up over a damaged Access catalogue: the window comes up with one message naming the
// file and the reason, and without categories and locations, as with no catalogue at all.
#include "ProgramFolder.h"

#include "controls/Combo.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

TEST(StartUp, DamagedAccessCatalogueGivesOneMessageAndEmptySelectors) {
    ProgramFolder folder(sampleScript(), false);
    ASSERT_TRUE(QFile::copy(QStringLiteral(VW_DAMAGED_DIR "/shared-long-value.mdb"),
                            folder.path(u"DB/Wareroll.mdb")));
    folder.start();
    ASSERT_EQ(folder.dialogs.messages.size(), 1u);
    EXPECT_EQ(folder.dialogs.messages[0].text, u"无法识别的物品数据库文件："_s +
                                                   folder.path(u"DB/Wareroll.mdb") +
                                                   u"\n(读取程序异常退出)"_s);
    EXPECT_EQ(folder.control<Combo>("Combo1").entryCount(), 0);
    EXPECT_EQ(folder.control<Combo>("Combo5").entryCount(), 0);
    EXPECT_TRUE(folder.dialogs.requests.empty());
}

// The catalogue keeps its name whatever its format: an Access 97 or an Access 2007 file as
// DB/Wareroll.mdb fills the selectors as the usual one does.
TEST(StartUp, AccessCatalogueOfAnyVersionFillsTheSelectors) {
    for (const char* file : {"catalogue-jet3.mdb", "catalogue-ace.accdb"}) {
        SCOPED_TRACE(file);
        ProgramFolder folder(sampleScript(), false);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VW_ACCESS_DIR "/") + QString::fromLatin1(file),
                                folder.path(u"DB/Wareroll.mdb")));
        folder.start();
        EXPECT_TRUE(folder.dialogs.messages.empty());
        EXPECT_GT(folder.control<Combo>("Combo1").entryCount(), 0);
        // Four towns, the entry for merchants placed nowhere, "全部NPC".
        EXPECT_EQ(folder.control<Combo>("Combo5").entryCount(), 6);
    }
}
