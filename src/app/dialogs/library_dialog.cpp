#include "app/dialogs/library_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/library_element_dialogs.h"
#include "app/filedlglibrary.h"
#include "app/messagebox.h"
#include "library/layout.h"

#include <QApplication>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

namespace dravo {

using namespace dravo::library;

// The tree ---------------------------------------------------------------------------------

namespace {
// A drag that started in this tree (a test's drop has no source, but the tree's own format).
bool FromThisTree(const QDropEvent *event, const QWidget *tree) {
    return event->source() == tree || (!event->source() && event->mimeData() &&
                                       event->mimeData()->hasFormat(QStringLiteral(
                                           "application/x-qabstractitemmodeldatalist")));
}
} // namespace

NodeId CLibraryTree::IdOf(const QTreeWidgetItem *item) {
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

void CLibraryTree::dragMoveEvent(QDragMoveEvent *event) {
    QTreeWidget::dragMoveEvent(event); // the drop mark and the scrolling near an edge
    const NodeId target = IdOf(itemAt(event->position().toPoint()));
    if (!FromThisTree(event, this) || !canDrop || !canDrop(IdOf(currentItem()), target))
        event->ignore();
}

void CLibraryTree::dropEvent(QDropEvent *event) {
    if (!FromThisTree(event, this) || !DropCurrentOn(itemAt(event->position().toPoint()))) {
        event->ignore();
        return;
    }
    // The library has moved the item; the view must not move anything itself.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

bool CLibraryTree::DropCurrentOn(QTreeWidgetItem *target) {
    const NodeId source = IdOf(currentItem());
    if (!canDrop || !canDrop(source, IdOf(target)))
        return false;
    if (drop)
        drop(source, IdOf(target));
    return true;
}

// The dialog -------------------------------------------------------------------------------

void CLibraryDialog::SetImportConverter(ImportConverter convert) {
    m_convert = std::move(convert);
    UpdateButtons();
}

QIcon CLibraryDialog::Icon(int image) {
    // Made once (thousands of items share the five pictures) and kept to the end of the
    // process, past the application object.
    static const QIcon *const icons = new QIcon[5]{
        QIcon(QStringLiteral(":/icons/library-folder.svg")),
        QIcon(QStringLiteral(":/icons/library-folder-open.svg")),
        QIcon(QStringLiteral(":/icons/library-template.svg")),
        QIcon(QStringLiteral(":/icons/library-journal.svg")),
        QIcon(QStringLiteral(":/icons/library-case.svg")),
    };
    switch (image) {
    case kFolderOpen:
        return icons[1];
    case kTemplate:
        return icons[2];
    case kJournal:
        return icons[3];
    case kCase:
        return icons[4];
    default:
        return icons[0];
    }
}

CLibraryDialog::CLibraryDialog(Library &library, QWidget *parent, int systemFontPixels)
    : QDialog(parent), m_library(library) {
    setWindowTitle(QStringLiteral("   Библиотека"));
    if (systemFontPixels < 0)
        systemFontPixels = QFontMetrics(QApplication::font()).height();
    const LibraryDialogLayout l = LayOutLibraryDialog(systemFontPixels);
    const auto place = [](QWidget *w, const Box &b) {
        w->setGeometry(b.left, b.top, b.Width(), b.Height());
    };
    setFixedSize(l.width, l.height);

    m_tree = new CLibraryTree(this);
    m_tree->setObjectName(QStringLiteral("tree"));
    m_tree->setHeaderHidden(true);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setDragEnabled(true);
    m_tree->setAcceptDrops(true);
    m_tree->setDropIndicatorShown(true);
    m_tree->setDragDropMode(QAbstractItemView::InternalMove);
    m_tree->setAutoScrollMargin(10);
    m_tree->setUniformRowHeights(true);
    if (l.verdanaTree) {
        QFont font;
        font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
        font.setPixelSize(14);
        m_tree->setFont(font);
    }
    place(m_tree, l.tree);

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setFrameShape(QFrame::StyledPanel);
    QFont serif;
    serif.setFamilies({QStringLiteral("Times New Roman Cyr"), QStringLiteral("Times New Roman"),
                       QStringLiteral("Liberation Serif")});
    serif.setPixelSize(16);
    m_description->setFont(serif);
    place(m_description, l.description);

    const struct {
        const char *text, *name;
    } buttons[6] = {{"OK", "ok"},          {"Отменить", "cancel"},
                    {"Добавить", "add"},   {"Импорт...", "import"},
                    {"Удалить", "remove"}, {"Изменить", "change"}};
    QPushButton *made[6];
    for (int i = 0; i < 6; ++i) {
        made[i] = new QPushButton(QString::fromUtf8(buttons[i].text), this);
        made[i]->setObjectName(QString::fromLatin1(buttons[i].name));
        made[i]->setAutoDefault(false);
        place(made[i], l.buttons[i]);
    }
    made[0]->setDefault(true);
    connect(made[0], &QPushButton::clicked, this, &QDialog::accept);
    connect(made[1], &QPushButton::clicked, this, &QDialog::reject);
    connect(made[2], &QPushButton::clicked, this, &CLibraryDialog::OnAdd);
    connect(made[3], &QPushButton::clicked, this, &CLibraryDialog::OnImport);
    connect(made[4], &QPushButton::clicked, this, &CLibraryDialog::OnRemove);
    connect(made[5], &QPushButton::clicked, this, &CLibraryDialog::OnChange);
    m_import = made[3];
    m_remove = made[4];
    m_change = made[5];

    m_tree->canDrop = [this](NodeId s, NodeId t) { return m_library.CanDrop(s, t); };
    m_tree->drop = [this](NodeId s, NodeId t) {
        if (m_library.Drop(s, t))
            QTimer::singleShot(0, this, [this] { Rebuild(); }); // after the drag has ended
    };
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        if (m_rebuilding)
            return;
        m_library.Tree().Select(CLibraryTree::IdOf(current));
        ShowSelection();
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { OnDoubleClick(item); });
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *item) { OnExpandedChanged(item, true); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem *item) { OnExpandedChanged(item, false); });
    Rebuild();
}

QTreeWidgetItem *CLibraryDialog::ItemOf(NodeId id) const {
    return m_items.value(id, nullptr);
}

void CLibraryDialog::UpdateItem(QTreeWidgetItem *item) {
    const Element &e = m_library.Tree().Get(CLibraryTree::IdOf(item)).element;
    item->setText(0, LibraryText(e.name));
    item->setIcon(0, Icon(e.image));
}

void CLibraryDialog::Rebuild() {
    m_rebuilding = true;
    m_tree->clear();
    m_items.clear();
    const LibraryTree &tree = m_library.Tree();
    QList<QTreeWidgetItem *> top;
    std::vector<QTreeWidgetItem *> expand;
    for (const LibraryTree::Visit &v : tree.InTreeOrder()) {
        const LibraryTree::Node &node = tree.Get(v.id);
        QTreeWidgetItem *parent = node.parent ? m_items.value(node.parent) : nullptr;
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem;
        if (!parent)
            top << item;
        item->setData(0, Qt::UserRole, v.id);
        item->setText(0, LibraryText(node.element.name));
        item->setIcon(0, Icon(node.element.image));
        m_items.insert(v.id, item);
        if (node.expanded)
            expand.push_back(item);
    }
    m_tree->addTopLevelItems(top);
    for (QTreeWidgetItem *item : expand)
        item->setExpanded(true);
    if (QTreeWidgetItem *selected = ItemOf(tree.Selected())) {
        m_tree->setCurrentItem(selected);
        m_tree->scrollToItem(selected);
    }
    m_rebuilding = false;
    ShowSelection();
}

void CLibraryDialog::ShowSelection() {
    const LibraryTree &tree = m_library.Tree();
    const NodeId id = tree.Selected();
    m_description->setText(tree.Contains(id) ? LibraryText(tree.Get(id).element.description)
                                             : QString());
    UpdateButtons();
}

void CLibraryDialog::UpdateButtons() {
    const bool any = m_library.Tree().Contains(m_library.Tree().Selected());
    m_remove->setEnabled(any);
    m_change->setEnabled(any);
    m_import->setEnabled(bool(m_convert));
}

void CLibraryDialog::OnDoubleClick(QTreeWidgetItem *item) {
    const NodeId id = CLibraryTree::IdOf(item);
    if (!m_library.Tree().Contains(id))
        return;
    if (IsFolder(m_library.Tree().Get(id).element.image)) {
        const bool open = m_library.Tree().Get(id).element.image != kFolderOpen;
        m_library.SetFolderOpen(id, open);
        item->setExpanded(open);
        UpdateItem(item);
        return;
    }
    m_library.Tree().Select(id);
    accept();
}

void CLibraryDialog::OnExpandedChanged(QTreeWidgetItem *item, bool open) {
    if (m_rebuilding)
        return;
    m_library.SetFolderOpen(CLibraryTree::IdOf(item), open);
    UpdateItem(item);
}

void CLibraryDialog::OnAdd() {
    CLibraryElementDialog dialog(CLibraryElementDialog::NewElement, this);
    dialog.apply = [&] {
        return m_library.Add({LibraryText(dialog.Name()), LibraryText(dialog.Description()),
                              dialog.Folder() ? kFolderClosed : kTemplate, dialog.Inside()});
    };
    if (DialogSeam::Exec(dialog) == QDialog::Accepted)
        Rebuild();
}

void CLibraryDialog::OnImport() {
    if (!m_convert)
        return;
    QString title, path;
    if (!FileDialogLibrary::GetFilename(this, 1, QString(), &title, &path))
        return;
    const Outcome outcome = m_library.Import(LibraryText(title), path.toStdString(), m_convert);
    if (!outcome.message.empty())
        MessageBox::Information(this, LibraryText(outcome.message));
    Rebuild();
}

void CLibraryDialog::OnRemove() {
    LibraryTree &tree = m_library.Tree();
    const NodeId id = tree.Selected();
    if (!tree.Contains(id))
        return;
    const Element e = tree.Get(id).element;
    const QString question = LibraryText(DeleteQuestion(e.image));
    if (IsFolder(e.image)) {
        // The plain box under the program's name, not the program's own question box.
        if (MessageBox::AskYesNo(this, question, QStringLiteral("ДРАВО Договор"))) {
            m_library.Exclude(id);
            Rebuild();
        }
        return;
    }
    CLibraryDeleteDialog ask(question, this);
    const int choice = DialogSeam::Exec(ask);
    if (choice == CLibraryDeleteDialog::Exclude) {
        m_library.Exclude(id);
    } else if (choice == CLibraryDeleteDialog::Delete) {
        if (documentOpen && documentOpen(e.name)) {
            // The open document goes first; the shell deletes the file after.
            m_pending = m_library.PlanDeletion(id);
            m_library.Exclude(id);
            accept();
            return;
        }
        const Outcome outcome = m_library.Delete(id);
        if (!outcome.message.empty())
            MessageBox::Information(this, LibraryText(outcome.message));
    } else {
        return;
    }
    Rebuild();
}

void CLibraryDialog::OnChange() {
    LibraryTree &tree = m_library.Tree();
    const NodeId id = tree.Selected();
    if (!tree.Contains(id))
        return;
    CLibraryElementDialog dialog(CLibraryElementDialog::ChangeElement, this);
    dialog.SetValues(LibraryText(tree.Get(id).element.name),
                     LibraryText(tree.Get(id).element.description));
    dialog.apply = [&] {
        return m_library.Change(id, LibraryText(dialog.Name()), LibraryText(dialog.Description()));
    };
    if (DialogSeam::Exec(dialog) == QDialog::Accepted && ItemOf(id)) {
        UpdateItem(ItemOf(id));
        ShowSelection();
    }
}

} // namespace dravo
