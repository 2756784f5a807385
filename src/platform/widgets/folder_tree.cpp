#include "platform/widgets/folder_tree.h"

#include "platform/guard.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/redraw_on.h"

#include <vector>

#include <QHeaderView>
#include <QKeyEvent>

namespace kadoru {

namespace {

constexpr int path_role = Qt::UserRole;

} // namespace

FolderTree::FolderTree(const FolderList& folders, ListIntents& input, MessageBox& errors,
                       QWidget* parent)
    : QTreeWidget(parent), folders_(folders), input_(input), errors_(errors) {
    setColumnCount(1);
    header()->hide();
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(10);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Not itemActivated: the view activates the highlighted row on Enter too, and
    // Enter is Start's alone.
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](const QTreeWidgetItem* item) { open(item); });
    redraw_on(folders_.changed, this, &FolderTree::redraw);
    redraw();
}

void FolderTree::redraw() {
    clear();
    const QIcon open_folder = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed_folder = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // Each row hangs under the last row one level up.
    std::vector<QTreeWidgetItem*> above;
    QTreeWidgetItem* current = nullptr;
    for (const auto& row : folders_.rows()) {
        above.resize(static_cast<std::size_t>(row.depth));
        auto* item = above.empty() ? child<QTreeWidgetItem>(static_cast<QTreeWidget*>(this))
                                   : child<QTreeWidgetItem>(above.back());
        item->setText(0, qt_text(row.name));
        item->setData(0, path_role, qt_text(row.path));
        // The folders down to the current one are open; those in it are not.
        item->setIcon(0, current == nullptr ? open_folder : closed_folder);
        above.push_back(item);
        if (row.current)
            current = item;
    }
    if (current == nullptr)
        return;
    expandAll();
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::PositionAtCenter);
}

void FolderTree::open(const QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    const std::string path = utf8(item->data(0, path_role).toString());
    const std::string before = folders_.path();
    guarded(errors_, [&] { input_.folder_opened(path); });
    // A folder that could not be opened (or the current one again): show the folders
    // as they are now, with the current one highlighted again.
    if (folders_.path() == before)
        redraw();
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
    // Enter belongs to the window's default button, Start, as everywhere but on
    // another button; the space bar opens the highlighted folder from the keyboard.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        currentItem() != nullptr) {
        open(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace kadoru
