#include "ScriptFiles.h"

#include "controls/Dialogs.h"
#include "controls/StatusPanels.h"
#include "editor/gui/EditTexts.h"
#include "script/LineSource.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

QString scriptFilter() {
    return ScriptFiles::tr("AI obj Files(*.obj)|*.obj|所有文件(*.*)|*.*");
}

QString trimmed(const QString& text) {
    return trimSpaces(text).toString();
}

} // namespace

QString mainWindowTitle(const QString& scriptPath) {
    return u"Vendwright 2004 - ["_s + scriptPath + u"]"_s;
}

ScriptFiles::ScriptFiles(Workspace& workspace, Controls controls)
    : workspace_(workspace), ui_(controls) {}

void ScriptFiles::chooseSourceFile() {
    // The dialog opens where the chosen script stands.
    const QString current = workspace_.chosenScript();
    const QString folder =
        current.isEmpty() ? QString() : QFileInfo(trimmed(current)).absolutePath();
    const QString chosen = ui_.dialogs.chooseFile(
        {FileRequest::Mode::Open, tr("请选择原始AI文件"), scriptFilter(), folder, {}});
    if (trimmed(chosen).isEmpty())
        return;
    workspace_.chooseScript(chosen);
    const ScriptDocument& document = workspace_.document();
    if (document.isLoaded() && !namesSameFile(chosen, document.source().path)) {
        ui_.status.setPanelText(
            1, tr("已选择AI文件：%1，按“装入AI文件”读取").arg(QDir::toNativeSeparators(chosen)));
    }
}

bool ScriptFiles::loadAiFile(const std::function<bool()>& mayReplace) {
    const QString path = QDir::toNativeSeparators(trimmed(workspace_.chosenScript()));
    switch (workspace_.checkChosenScript()) {
    case ScriptProblem::None:
    case ScriptProblem::Read:
        break;
    case ScriptProblem::NoPath:
        ui_.dialogs.message(tr("没有指定AI文件"));
        return false;
    case ScriptProblem::Missing:
        ui_.dialogs.message(tr("指定文件不存在：\n%1").arg(path));
        return false;
    case ScriptProblem::NotRegular:
        ui_.dialogs.message(tr("指定文件不是普通文件：\n%1").arg(path));
        return false;
    }
    if (mayReplace && !mayReplace())
        return false;
    ui_.status.setPanelText(1, tr("开始读取AI文件..."));
    const Workspace::Read read = workspace_.readChosenScript([this](qint64 hundreds) {
        ui_.status.setPanelText(1, tr("已经读取%1行..").arg(hundreds * 100));
    });
    if (read.problem != ScriptProblem::None) {
        ui_.status.setPanelText(1, tr("读取AI文件失败"));
        switch (read.status) {
        case ReadStatus::OpenFailed:
            ui_.dialogs.message(tr("无法打开指定的AI文件"));
            break;
        case ReadStatus::NotUtf16:
            ui_.dialogs.message(tr("指定文件不是UTF-16编码的AI文件"));
            break;
        default:
            ui_.dialogs.message(tr("读取AI文件时发生错误"));
            break;
        }
        return false;
    }
    ui_.status.setPanelText(1, tr("共读取%1行").arg(read.lines));
    return true;
}

bool ScriptFiles::writeAiFile() {
    const ScriptDocument& document = workspace_.document();
    if (!document.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return false;
    }
    // Beside the script read, under its name with ".new": never the script itself.
    const QFileInfo read(document.source().path);
    const QString output = trimmed(
        ui_.dialogs.chooseFile({FileRequest::Mode::Save, tr("请选择输出AI文件"), scriptFilter(),
                                read.absolutePath(), read.completeBaseName() + u".new.obj"_s}));
    if (output.isEmpty())
        return false;
    ui_.status.setPanelText(1, tr("正在写出文件,请稍等..."));
    const ScriptFileWriteResult result = workspace_.write(output, [this](int count) {
        ui_.status.setPanelText(1, tr("已经写入%n个列表...", nullptr, static_cast<int>(count)));
    });
    QString failure;
    switch (result.status) {
    case ScriptFileWriteResult::Status::Ok:
        break;
    case ScriptFileWriteResult::Status::OutputIsSource:
        failure = tr("出于安全原因,不允许覆盖当前源AI文件");
        break;
    case ScriptFileWriteResult::Status::OutputNotRegular:
        failure = tr("输出文件不是普通文件");
        break;
    case ScriptFileWriteResult::Status::SourceChanged:
        failure = tr("源AI文件在装入后已被修改或删除,请重新装入后再写出");
        break;
    case ScriptFileWriteResult::Status::SourceFailed:
        failure = tr("读取源AI文件时发生错误：%1").arg(result.detail);
        break;
    case ScriptFileWriteResult::Status::OutputFailed:
        failure = tr("写出文件时发生错误：%1").arg(result.detail);
        break;
    case ScriptFileWriteResult::Status::DiskFull:
        failure = tr("写出文件时发生错误：磁盘空间不足");
        break;
    }
    if (!failure.isEmpty()) {
        ui_.status.setPanelText(1, tr("写出失败"));
        ui_.dialogs.message(failure);
        return false;
    }
    ui_.status.setPanelText(1, tr("写出成功,共写入%1个已修改列表").arg(result.write.listsWritten));
    if (!result.write.leftUnchanged.empty()) {
        QStringList lists;
        for (const ListRef& ref : result.write.leftUnchanged) {
            lists.append(document.records()[static_cast<size_t>(ref.record)].className + u' ' +
                         listLabel(ref.list));
        }
        ui_.dialogs.message(tr("以下列表在源文件中的位置不完整,未写入,保持原样：\n") +
                            lists.join(u'\n'));
    }
    return true;
}

} // namespace vw
