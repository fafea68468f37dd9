#include "OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// The choices of the language list, in its order: what the options keep for each.
const QStringList LanguageCodes{QString(), u"zh"_s, u"en"_s};

} // namespace

OptionsDialog::OptionsDialog(const Workspace::Options& options, QWidget* parent)
    : QDialog(parent), language_(new QComboBox(this)),
      keepLines_(new QCheckBox(tr("保留未改动物品的原行"), this)), taxRate_(new QLineEdit(this)),
      readLast_(new QCheckBox(tr("启动时装入上次的AI文件"), this)) {
    setObjectName(u"frmOption"_s);
    setWindowTitle(tr("选项"));
    // The languages are named in their own words, so either reader finds theirs.
    language_->addItems({tr("跟随系统"), u"中文"_s, u"English"_s});
    language_->setObjectName(u"cboLanguage"_s);
    language_->setCurrentIndex(
        std::max<int>(0, static_cast<int>(LanguageCodes.indexOf(options.language))));
    keepLines_->setObjectName(u"chkKeepLines"_s);
    keepLines_->setChecked(options.keepItemLines);
    keepLines_->setToolTip(tr("写出时，修改过的列表中未改动的物品保留原来的行，"
                              "只有新增或改动的物品按列表的格式写出"));
    taxRate_->setObjectName(u"txtNewItemTaxRate"_s);
    taxRate_->setText(options.newItemTaxRate);
    taxRate_->setPlaceholderText(tr("使用税率框中的税率"));
    readLast_->setObjectName(u"chkReadLastScript"_s);
    readLast_->setChecked(options.readLastScript);

    auto* form = new QFormLayout;
    const auto row = [&](const QString& label, QWidget* field) {
        auto* text = new QLabel(label, this);
        text->setBuddy(field);
        field->setAccessibleName(label);
        form->addRow(text, field);
    };
    row(tr("界面语言(&L)"), language_);
    row(tr("新物品的税率(&T)"), taxRate_);
    form->addRow(keepLines_);
    form->addRow(readLast_);
    auto* note = new QLabel(tr("界面语言在下次启动程序时生效。"), this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

Workspace::Options OptionsDialog::options() const {
    Workspace::Options chosen;
    chosen.language = LanguageCodes.value(language_->currentIndex());
    chosen.keepItemLines = keepLines_->isChecked();
    chosen.newItemTaxRate = taxRate_->text().trimmed();
    chosen.readLastScript = readLast_->isChecked();
    return chosen;
}

} // namespace vw
