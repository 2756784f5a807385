#include "platform/widgets/folder_tree.h"

#include "platform/guard.h"
#include "platform/paths.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"

#include <string_view>

#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>

namespace kadoru {

namespace {

constexpr int path_role = Qt::UserRole;

// The name a folder goes by in the tree: its last part; a drive's root folder
// shows its whole path, as it names the drive.
std::string_view shown_name(std::string_view path, bool is_root) {
    if (is_root)
        return path;
    const auto cut = path.find_last_of(path_separator);
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

} // namespace

FolderTree::FolderTree(FolderList& folders, MessageBox& errors, QWidget* parent)
    : QTreeWidget(parent), folders_(folders), errors_(errors) {
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
    folders_.changed.connect([view = QPointer(this)] {
        if (view)
            view->redraw();
    });
    redraw();
}

void FolderTree::redraw() {
    clear();
    const QIcon open_folder = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed_folder = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](QTreeWidgetItem* above, const std::string& path, std::string_view name,
                            const QIcon& icon) {
        auto* item = above != nullptr ? child<QTreeWidgetItem>(above)
                                      : child<QTreeWidgetItem>(static_cast<QTreeWidget*>(this));
        item->setText(0, qt_text(name));
        item->setData(0, path_role, qt_text(path));
        item->setIcon(0, icon);
        return item;
    };

    QTreeWidgetItem* current = nullptr;
    for (const auto& path : folders_.ancestors())
        current = add(current, path, shown_name(path, current == nullptr), open_folder);
    if (current == nullptr)
        return;
    for (const auto& name : folders_.subfolders())
        add(current, join_path(folders_.path(), name), name, closed_folder);
    expandAll();
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::PositionAtCenter);
}

void FolderTree::open(const QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    const std::string path = utf8(item->data(0, path_role).toString());
    const std::string before = folders_.path();
    guarded(errors_, [&] { folders_.assign(path); });
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
