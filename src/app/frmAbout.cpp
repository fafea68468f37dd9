#include "frmAbout.h"

#include "controls/AppInfo.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace vw {

QString versionLabel() {
    return QCoreApplication::translate("vw::frmAbout", "版本 %1.%2.%3")
        .arg(VW_VERSION_MAJOR)
        .arg(VW_VERSION_MINOR)
        .arg(VW_VERSION_PATCH);
}

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent), lblTitle_(new QLabel(tr("应用程序标题"), this)),
      lblVersion_(new QLabel(tr("版本"), this)) {
    setObjectName(u"frmAbout"_s);
    setWindowTitle(tr("关于我的应用程序"));
    setModal(true);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    // The program's own icon, which the application gives every window.
    picIcon->setPixmap(windowIcon().pixmap(48, 48));
    lblTitle_->setObjectName(u"lblTitle"_s);
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    lblVersion_->setObjectName(u"lblVersion"_s);
    auto* lblDescription = new QLabel(tr("用于修改Ardenfall AI文件的工具"), this);
    lblDescription->setObjectName(u"lblDescription"_s);
    auto* close = new QPushButton(tr("关闭"), this);
    close->setObjectName(u"SSCommand1"_s);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle_);
    text->addWidget(lblVersion_);
    text->addSpacing(8);
    text->addWidget(lblDescription);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // What the box shows once loaded: the caption, the version and the title.
    setWindowTitle(tr("关于 %1").arg(applicationTitle()));
    lblVersion_->setText(versionLabel());
    lblTitle_->setText(applicationTitle());
}

QString frmAbout::titleText() const {
    return lblTitle_->text();
}
QString frmAbout::versionText() const {
    return lblVersion_->text();
}

} // namespace vw
