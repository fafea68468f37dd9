#include "app/frmAbout.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;

TEST(Shell, AboutShowsTitleAndTheBuildsVersion) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), u"关于 Vendwright"_s);
    EXPECT_EQ(about.titleText(), u"Vendwright"_s);
    EXPECT_EQ(about.versionText(), u"版本 "_s + QStringLiteral(VW_PROJECT_VERSION));
}
