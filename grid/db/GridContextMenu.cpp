#include "grid/db/GridContextMenu.h"

#include "grid/db/DBGrid.h"
#include "grid/db/GridClipboard.h"
#include "grid/editors/InplaceEdit.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

namespace {

const char* const kMenuName = "GridContextMenu";

// Watches the grid for context-menu requests and owns the menu.
class TqvGridMenu : public QObject {
public:
    explicit TqvGridMenu(TCustomqvDBGrid& grid) : QObject(&grid), grid_(grid)
    {
        setObjectName(kMenuName);
        menu_ = new QMenu(&grid);
        menu_->setObjectName(QStringLiteral("GridContextMenuPopup"));
        add(QStringLiteral("Copy"), QStringLiteral("&Copy"), [this] { CopyGridRows(grid_, false); });
        add(QStringLiteral("CopyWithHeaders"), QStringLiteral("Copy with &headers"), [this] { CopyGridRows(grid_, true); });
        menu_->addSeparator();
        add(QStringLiteral("Export"), QStringLiteral("&Export..."), [this] { exportGrid(); });
        grid.installEventFilter(this);
    }
    ~TqvGridMenu() override { delete menu_; }

    QMenu* Menu() const { return menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &grid_ || event->type() != QEvent::ContextMenu) return false;
        auto* e = static_cast<QContextMenuEvent*>(event);
        TqvInplaceEdit* editor = grid_.InplaceEditor();
        if (editor && editor->isVisible() && editor->geometry().contains(e->pos())) return false;
        for (QAction* action : menu_->actions())
            if (action->objectName() != QLatin1String("Export")) action->setEnabled(grid_.FocusedNode() != nullptr);
        menu_->popup(e->globalPos());
        return true;
    }

private:
    template <class F>
    void add(const QString& name, const QString& text, F run)
    {
        QAction* action = menu_->addAction(text);
        action->setObjectName(name);
        QObject::connect(action, &QAction::triggered, Guarded([run](bool) { run(); }));
    }

    void exportGrid()
    {
        QFileDialog dialog(&grid_);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList filters;
        for (const TTableFileType& type : TableFileTypes()) filters << QString::fromUtf8(type.Filter);
        dialog.setNameFilters(filters);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        const qsizetype chosen = std::max<qsizetype>(filters.indexOf(dialog.selectedNameFilter()), 0);
        const TTableFileType& type = TableFileTypes()[static_cast<size_t>(chosen)];
        // The file gets the extension of the type chosen.
        QString fileName = dialog.selectedFiles().first();
        const QString extension = QString::fromUtf8(type.Extension);
        if (!fileName.endsWith(extension, Qt::CaseInsensitive)) {
            const QFileInfo info(fileName);
            const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
            fileName = info.path() + QLatin1Char('/') + base + extension;
        }
        ExportGrid(grid_, type.Format, fileName.toStdString());
    }

    TCustomqvDBGrid& grid_;
    QMenu* menu_ = nullptr;
};

TqvGridMenu* menuOf(const TCustomqvDBGrid& grid)
{
    // The menu object has no meta-object of its own: it is found by its name.
    return static_cast<TqvGridMenu*>(grid.findChild<QObject*>(kMenuName, Qt::FindDirectChildrenOnly));
}

}  // namespace

void SetGridContextMenu(TCustomqvDBGrid& grid, bool on)
{
    TqvGridMenu* menu = menuOf(grid);
    if (on && !menu) new TqvGridMenu(grid);
    if (!on && menu) delete menu;
}

bool HasGridContextMenu(const TCustomqvDBGrid& grid) { return menuOf(grid) != nullptr; }

QMenu* GridContextMenu(const TCustomqvDBGrid& grid)
{
    TqvGridMenu* menu = menuOf(grid);
    return menu ? menu->Menu() : nullptr;
}
