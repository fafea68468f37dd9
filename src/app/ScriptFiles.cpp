#include "ScriptFiles.h"

#include "controls/Dialogs.h"
#include "controls/StatusPanels.h"
#include "controls/WindowTexts.h"
#include "document/ScriptDocument.h"
#include "script/LineSource.h"
#include "script/ScriptFile.h"
#include "script/ScriptReader.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

const QString ScriptFilter = u"AI obj Files(*.obj)|*.obj|所有文件(*.*)|*.*"_s;

QString trimmed(const QString& text) {
    return trimSpaces(text).toString();
}

} // namespace

QString mainWindowTitle(const QString& sourcePath) {
    return u"Vendwright 2004 - ["_s + sourcePath + u"]"_s;
}

ScriptFiles::ScriptFiles(ScriptDocument& document, Controls controls)
    : document_(document), ui_(controls) {}

void ScriptFiles::chooseSourceFile() {
    // The dialog opens where the current script stands.
    const QString folder =
        sourcePath_.isEmpty() ? QString() : QFileInfo(trimmed(sourcePath_)).absolutePath();
    const QString chosen = ui_.dialogs.chooseFile(
        {FileRequest::Mode::Open, u"请选择原始AI文件"_s, ScriptFilter, folder, {}});
    if (trimmed(chosen).isEmpty())
        return;
    sourcePath_ = chosen;
}

bool ScriptFiles::loadAiFile(const std::function<bool()>& mayReplace) {
    const QString path = trimmed(sourcePath_);
    if (path.isEmpty()) {
        ui_.dialogs.message(u"没有指定AI文件"_s);
        return false;
    }
    const QFileInfo file(path);
    if (!file.exists()) {
        ui_.dialogs.message(u"指定文件不存在"_s);
        return false;
    }
    // A folder, pipe or device is no script, and reading a pipe could wait for ever.
    if (!file.isFile()) {
        ui_.dialogs.message(u"指定文件不是普通文件"_s);
        return false;
    }
    if (mayReplace && !mayReplace())
        return false;
    ui_.status.setPanelText(1, u"开始读取AI文件..."_s);
    ScriptReadResult read = readScriptFile(path, [this](qint64 hundreds) {
        ui_.status.setPanelText(1, u"已经读取"_s + QString::number(hundreds) + u"00行.."_s);
    });
    if (read.status != ReadStatus::Ok) {
        ui_.status.setPanelText(1, u"读取AI文件失败"_s);
        switch (read.status) {
        case ReadStatus::OpenFailed:
            ui_.dialogs.message(u"无法打开指定的AI文件"_s);
            break;
        case ReadStatus::NotUtf16:
            ui_.dialogs.message(u"指定文件不是UTF-16编码的AI文件"_s);
            break;
        default:
            ui_.dialogs.message(u"读取AI文件时发生错误"_s);
            break;
        }
        return false;
    }
    ui_.status.setPanelText(1, u"共读取"_s + QString::number(read.lineCount) + u"行"_s);
    document_.load(std::move(read.records), std::move(read.report), {path, read.stamp});
    return true;
}

bool ScriptFiles::writeAiFile() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return false;
    }
    // Beside the script read, under its name with ".new": never the script itself.
    const QFileInfo read(document_.source().path);
    const QString output = trimmed(
        ui_.dialogs.chooseFile({FileRequest::Mode::Save, u"请选择输出AI文件"_s, ScriptFilter,
                                read.absolutePath(), read.completeBaseName() + u".new.obj"_s}));
    if (output.isEmpty())
        return false;
    // Neither the file the records came from nor the one the open dialog named since.
    const QString refusal = u"出于安全原因,不允许覆盖当前源AI文件"_s;
    if (namesSameFile(output, sourcePath_)) {
        ui_.dialogs.message(refusal);
        return false;
    }
    ui_.status.setPanelText(1, u"正在写出文件,请稍等..."_s);
    const ScriptDocument::Source& source = document_.source();
    const ScriptFileWriteResult result =
        writeScriptFile(source.path, source.stamp, output, document_.records(), [this](int count) {
            ui_.status.setPanelText(1, u"已经写入"_s + QString::number(count) + u"个列表..."_s);
        });
    QString failure;
    switch (result.status) {
    case ScriptFileWriteResult::Status::Ok:
        break;
    case ScriptFileWriteResult::Status::OutputIsSource:
        failure = refusal;
        break;
    case ScriptFileWriteResult::Status::OutputNotRegular:
        failure = u"输出文件不是普通文件"_s;
        break;
    case ScriptFileWriteResult::Status::SourceChanged:
        failure = u"源AI文件在装入后已被修改或删除,请重新装入后再写出"_s;
        break;
    case ScriptFileWriteResult::Status::SourceFailed:
        failure = u"读取源AI文件时发生错误："_s + result.detail;
        break;
    case ScriptFileWriteResult::Status::OutputFailed:
        failure = u"写出文件时发生错误："_s + result.detail;
        break;
    case ScriptFileWriteResult::Status::DiskFull:
        failure = u"写出文件时发生错误：磁盘空间不足"_s;
        break;
    }
    if (!failure.isEmpty()) {
        ui_.status.setPanelText(1, u"写出失败"_s);
        ui_.dialogs.message(failure);
        return false;
    }
    ui_.status.setPanelText(1, u"写出成功,共写入"_s + QString::number(result.write.listsWritten) +
                                   u"个已修改列表"_s);
    if (!result.write.leftUnchanged.empty()) {
        QStringList lists;
        for (const ListRef& ref : result.write.leftUnchanged) {
            lists.append(document_.records()[static_cast<size_t>(ref.record)].className + u' ' +
                         listLabel(ref.list));
        }
        ui_.dialogs.message(u"以下列表在源文件中的位置不完整,未写入,保持原样：\n"_s +
                            lists.join(u'\n'));
    }
    document_.markWritten();
    return true;
}

} // namespace vw
