// Start-up over a damaged Access catalogue: the window comes up with one message naming the
// file and the reason, and without categories and locations, as with no catalogue at all.
#include "ProgramFolder.h"

#include "catalogue/AccessReader.h"
#include "controls/Combo.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

TEST(StartUp, DamagedAccessCatalogueGivesOneMessageAndEmptySelectors) {
    for (const auto& [file, reason] : {std::pair{"long-value-cycle.mdb", u"读取超时"_s},
                                       std::pair{"long-value-flood.mdb", u"内存不足"_s},
                                       std::pair{"shared-long-value.mdb", u"读取程序异常退出"_s}}) {
        SCOPED_TRACE(file);
        const QString damaged = QStringLiteral(VW_DAMAGED_DIR "/") + QString::fromLatin1(file);
        if (reason == u"内存不足" && accessReaderLimits(QFileInfo(damaged).size()).memoryBytes == 0)
            continue; // no memory limit in a sanitizer build: the time limit stops the child
        ProgramFolder folder(sampleScript(), false);
        ASSERT_TRUE(QFile::copy(damaged, folder.path(u"DB/Wareroll.mdb")));
        folder.start();
        ASSERT_EQ(folder.dialogs.messages.size(), 1u);
        EXPECT_EQ(folder.dialogs.messages[0].text, u"无法识别的物品数据库文件："_s +
                                                       folder.path(u"DB/Wareroll.mdb") + u"\n("_s +
                                                       reason + u')');
        EXPECT_EQ(folder.control<Combo>("Combo1").entryCount(), 0);
        EXPECT_EQ(folder.control<Combo>("Combo5").entryCount(), 0);
        EXPECT_TRUE(folder.dialogs.requests.empty());
    }
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
