#pragma once

#include <QDialog>

class QLabel;

namespace vw {

// The modal About box: program title, version and what the program is for.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    QString titleText() const;
    QString versionText() const;

private:
    QLabel* lblTitle_;
    QLabel* lblVersion_;
};

// "版本 1.1.0": the version as the About box shows it.
QString versionLabel();

} // namespace vw
