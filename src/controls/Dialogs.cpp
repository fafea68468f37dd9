#include "Dialogs.h"

#include "AppInfo.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace vw {

void WidgetDialogs::message(const QString& text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                    applicationTitle(), text, QMessageBox::Ok, parent_);
    box.exec();
}

QString WidgetDialogs::chooseFile(const FileRequest& request) {
    const QString filter = toQtFilter(request.filter);
    if (request.mode == FileRequest::Mode::Open)
        return QFileDialog::getOpenFileName(parent_, request.title, QString(), filter);
    return QFileDialog::getSaveFileName(parent_, request.title, QString(), filter);
}

int WidgetDialogs::ask(const QString& text, const QStringList& buttons) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::NoButton, parent_);
    std::vector<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added.push_back(box.addButton(caption, QMessageBox::ActionRole));
    if (!added.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(added.front()));
        box.setEscapeButton(added.back());
    }
    box.exec();
    const auto chosen = std::find(added.begin(), added.end(), box.clickedButton());
    return chosen == added.end() ? -1 : static_cast<int>(chosen - added.begin());
}

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        filters.append(description.contains(u'(')
                           ? description
                           : description + QStringLiteral(" (") + parts[i + 1] + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString WidgetDialogs::askText(const QString& text, const QString& initial) {
    return QInputDialog::getText(parent_, QStringLiteral("Vendwright"), text, QLineEdit::Normal,
                                 initial);
}

} // namespace vw
