#include "CatalogueFiles.h"

#include "controls/Dialogs.h"
#include "controls/StatusPanels.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// Why the reading child gave no catalogue, in the window's words; empty when it was not that.
QString readerFailureText(const CatalogueLoadResult& loaded) {
    switch (loaded.readerFailure) {
    case CatalogueReaderFailure::None:
        return {};
    case CatalogueReaderFailure::TimedOut:
        return CatalogueFiles::tr("读取超时");
    case CatalogueReaderFailure::OutOfMemory:
        return CatalogueFiles::tr("内存不足");
    case CatalogueReaderFailure::Crashed:
        return CatalogueFiles::tr("读取程序异常退出");
    case CatalogueReaderFailure::NotStarted:
        return CatalogueFiles::tr("无法启动读取程序：%1").arg(loaded.object);
    case CatalogueReaderFailure::HoldsView:
        return CatalogueFiles::tr("含有视图“%1”，只读取数据表").arg(loaded.object);
    case CatalogueReaderFailure::HoldsTrigger:
        return CatalogueFiles::tr("含有触发器“%1”，只读取数据表").arg(loaded.object);
    case CatalogueReaderFailure::HoldsVirtualTable:
        return CatalogueFiles::tr("含有虚拟表“%1”，只读取数据表").arg(loaded.object);
    }
    return {};
}

} // namespace

QString catalogueFaultText(const QString& path, const CatalogueFault& fault) {
    const QString file = QDir::toNativeSeparators(path);
    QString reason;
    QString text;
    switch (fault.kind) {
    case CatalogueFault::Kind::None:
        return {};
    case CatalogueFault::Kind::Missing:
        text = CatalogueFiles::tr("找不到物品数据库文件：%1").arg(file);
        break;
    case CatalogueFault::Kind::NotRegular:
        text = CatalogueFiles::tr("物品数据库不是普通文件：%1").arg(file);
        break;
    case CatalogueFault::Kind::Empty:
        text = CatalogueFiles::tr("物品数据库文件是空的：%1").arg(file);
        break;
    case CatalogueFault::Kind::Unreadable:
        text = CatalogueFiles::tr("无法读取物品数据库文件：%1").arg(file);
        // The system's own words, which Qt's translations carry.
        reason = fault.load.detail;
        break;
    case CatalogueFault::Kind::Unrecognised:
        text = CatalogueFiles::tr("无法识别的物品数据库文件：%1").arg(file);
        reason = readerFailureText(fault.load);
        break;
    case CatalogueFault::Kind::MissingTable:
        text = CatalogueFiles::tr("物品数据库缺少数据表“%1”：%2").arg(fault.table, file);
        break;
    case CatalogueFault::Kind::MissingColumn:
        text = CatalogueFiles::tr("物品数据库的数据表“%1”缺少字段“%2”：%3")
                   .arg(fault.table, fault.column, file);
        break;
    }
    return reason.isEmpty() ? text : text + u"\n("_s + reason + u')';
}

CatalogueFiles::CatalogueFiles(Workspace& workspace, Controls controls)
    : workspace_(workspace), ui_(controls) {}

QString CatalogueFiles::start(const QString& named) {
    const std::vector<Workspace::Tried> failed = workspace_.startCatalogue(named);
    for (const Workspace::Tried& tried : failed)
        ui_.dialogs.message(catalogueFaultText(tried.path, tried.fault));
    const Catalogue* used = workspace_.catalogue();
    if (failed.empty() || !used)
        return {};
    return tr("已改用程序目录中的物品数据库：%1").arg(QDir::toNativeSeparators(used->path()));
}

void CatalogueFiles::choose() {
    const Catalogue* current = workspace_.catalogue();
    const QString folder = current ? QFileInfo(current->path()).absolutePath() : QString();
    const QString path =
        ui_.dialogs.chooseFile({FileRequest::Mode::Open,
                                tr("请选择物品数据库文件"),
                                tr("物品数据库(*.mdb *.accdb *.db "
                                   "*.sqlite)|*.mdb;*.accdb;*.db;*.sqlite|所有文件(*.*)|*.*"),
                                folder,
                                {}});
    if (!path.isEmpty())
        open(path);
}

bool CatalogueFiles::open(const QString& path) {
    const CatalogueFault fault = workspace_.useCatalogue(path);
    if (fault.kind != CatalogueFault::Kind::None) {
        ui_.dialogs.message(catalogueFaultText(path, fault));
        return false;
    }
    showTotals();
    ui_.status.setPanelText(1, tr("已装入物品数据库：%1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void CatalogueFiles::showTotals() {
    const Catalogue* catalogue = workspace_.catalogue();
    const qsizetype locations = catalogue ? catalogue->locations().size() : 0;
    const size_t categories = catalogue ? catalogue->categories().size() : 0;
    ui_.status.setPanelText(5, tr("共%1个地点%2类物品").arg(locations).arg(categories));
}

} // namespace vw
