#include "RecoveryOffer.h"

#include "controls/Dialogs.h"
#include "controls/StatusPanels.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// Another read may have come while a question was open; the offer went with it.
bool stillOffered(const Workspace& workspace, const QString& journal) {
    return workspace.pendingRecovery() && workspace.pendingRecovery()->left.file == journal;
}

} // namespace

void RecoveryOffer::offerToKeep(Workspace& workspace, Dialogs& dialogs, const QString& journal,
                                int lists) {
    const int choice = dialogs.ask(tr("发现上次未写出的修改（%n个列表），但AI文件在此之后已被修改，"
                                      "无法恢复。是否将这些修改另存为修改文件？",
                                      nullptr, lists),
                                   {tr("另存为"), tr("放弃"), tr("稍后")});
    if (!stillOffered(workspace, journal))
        return;
    if (choice == 1) {
        workspace.discardRecovery();
        return;
    }
    if (choice != 0) {
        workspace.postponeRecovery();
        return;
    }
    const QFileInfo read(workspace.pendingRecovery()->script);
    const QString path = dialogs.chooseFile(
        {FileRequest::Mode::Save, tr("另存修改"), tr("修改文件(*.txt)|*.txt|所有文件(*.*)|*.*"),
         read.absolutePath(), read.completeBaseName() + u".recovered.txt"_s});
    QString error;
    if (path.isEmpty()) {
        workspace.postponeRecovery();
    } else if (!workspace.saveRecovery(path, &error)) {
        workspace.postponeRecovery();
        dialogs.message(tr("写出修改文件时发生错误：%1").arg(error));
    }
}

void RecoveryOffer::offer(Workspace& workspace, Dialogs& dialogs, StatusPanels& status) {
    if (!workspace.pendingRecovery())
        return;
    const PendingRecovery pending = *workspace.pendingRecovery();
    if (!pending.sourceSame) {
        offerToKeep(workspace, dialogs, pending.left.file, pending.left.lists);
        return;
    }
    const int choice =
        dialogs.ask(tr("发现上次未写出的修改（%n个列表），是否恢复？", nullptr, pending.left.lists),
                    {tr("恢复"), tr("放弃"), tr("稍后")});
    if (!stillOffered(workspace, pending.left.file))
        return;
    if (choice == 0) {
        if (workspace.recover()) {
            status.setPanelText(1, tr("已恢复%n个列表的修改", nullptr, pending.left.lists));
        } else {
            dialogs.message(tr("这些修改属于AI文件%1，它已不是装入的文件，修改保留到下次装入它时")
                                .arg(QDir::toNativeSeparators(pending.script)));
        }
    } else if (choice == 1) {
        workspace.discardRecovery();
    } else {
        workspace.postponeRecovery();
    }
}

} // namespace vw
