#include "OwnFileNotices.h"

#include "controls/Dialogs.h"
#include "controls/StatusPanels.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace vw {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

OwnFileNotices::OwnFileNotices(Workspace& workspace, Controls controls)
    : QObject(&workspace), workspace_(workspace), ui_(controls) {
    RecoveryJournal& journal = workspace_.journal();
    connect(&journal, &RecoveryJournal::journalSetAside, this,
            [this](const RecoveryJournal::SetAside& file) {
                ui_.dialogs.message(
                    file.newPath.isEmpty()
                        ? tr("恢复文件夹中的%1不是普通文件或过大，未读取").arg(shown(file.file))
                        : tr("恢复文件夹中的%1不是普通文件或过大，未读取，已改名为%2")
                              .arg(shown(file.file), QFileInfo(file.newPath).fileName()));
            });
    connect(
        &journal, &RecoveryJournal::recordingFailed, this,
        [this](const RecoveryJournal::Failure& failure) {
            const QString why = failure.kind == RecoveryJournal::Failure::Kind::DiskFull
                                    ? tr("磁盘空间不足")
                                    : failure.detail;
            ui_.status.setPanelText(
                1,
                tr("无法保存恢复文件（%1），在恢复之前未写出的修改不能在异常退出后找回").arg(why));
        });
    connect(&journal, &RecoveryJournal::recordingResumed, this,
            [this] { ui_.status.setPanelText(1, tr("恢复文件又可以保存了")); });
    connect(&workspace_, &Workspace::settingsNoLongerKept, this,
            [this] { ui_.status.setPanelText(1, tr("无法保存设置，本次的选择不会保留")); });
}

void OwnFileNotices::startUp() {
    const UserSettings::Loaded& settings = workspace_.settingsAtStart();
    const QString file = shown(UserSettings::defaultPath());
    using Status = UserSettings::Loaded::Status;
    switch (settings.status) {
    case Status::Read:
        break;
    case Status::SetAside:
        ui_.dialogs.message(tr("设置文件%1不是普通文件或过大，未读取，已改名为%2")
                                .arg(file, QFileInfo(settings.setAsideAs).fileName()));
        break;
    case Status::Refused:
        ui_.dialogs.message(tr("设置文件%1不是普通文件或过大，未读取").arg(file));
        break;
    case Status::Unreadable:
        ui_.dialogs.message(tr("无法读取设置文件%1：%2").arg(file, settings.detail));
        break;
    }
    if (!workspace_.settingsKept())
        ui_.status.setPanelText(1, tr("设置文件夹不可写，本次的选择不会保留"));
    else if (!workspace_.journal().checkFolder())
        ui_.status.setPanelText(1, tr("恢复文件夹不可用，未写出的修改不能在异常退出后找回"));
}

} // namespace vw
