// Dialog 199 "   Библиотека": the library tree with its five icons, the description of the
// selected element under it, and the buttons that add, import, remove and change elements. The
// behaviour is library::Library's; the dialog shows the tree and forwards the user's actions.
#pragma once

#include "library/library.h"

#include <QDialog>
#include <QHash>
#include <QTreeWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace dravo {

// The tree: an internal drag moves the dragged item by the library's rules.
class CLibraryTree : public QTreeWidget {
    Q_OBJECT
  public:
    using QTreeWidget::QTreeWidget;
    std::function<bool(library::NodeId source, library::NodeId target)> canDrop;
    std::function<void(library::NodeId source, library::NodeId target)> drop;
    static library::NodeId IdOf(const QTreeWidgetItem *item);
    // What a drop does: moves the dragged (current) item onto target, if the library allows.
    bool DropCurrentOn(QTreeWidgetItem *target);

  protected:
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

class CLibraryDialog : public QDialog {
    Q_OBJECT
  public:
    // The layout follows the height of the system font (systemFontPixels, or measured when -1).
    explicit CLibraryDialog(library::Library &library, QWidget *parent = nullptr,
                            int systemFontPixels = -1);

    // Asked before an element is deleted with its file: true when its document is open (and
    // now active). The file then goes later, once the document is closed.
    std::function<bool(const std::string &name)> documentOpen;
    // The deletion left for the shell, when documentOpen said yes.
    const std::optional<library::Library::FileDeletion> &PendingDeletion() const {
        return m_pending;
    }

    // The plain-text importer behind "Импорт..."; without one the button is disabled.
    void SetImportConverter(library::ImportConverter convert);

    CLibraryTree *Tree() const { return m_tree; }
    QTreeWidgetItem *ItemOf(library::NodeId id) const;
    // The five icons, by image number.
    static QIcon Icon(int image);

    void OnAdd();
    void OnImport();
    void OnRemove();
    void OnChange();

  private:
    void Rebuild();
    void UpdateItem(QTreeWidgetItem *item);
    void ShowSelection();
    void UpdateButtons();
    void OnDoubleClick(QTreeWidgetItem *item);
    void OnExpandedChanged(QTreeWidgetItem *item, bool open);

    library::Library &m_library;
    CLibraryTree *m_tree = nullptr;
    QLabel *m_description = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_change = nullptr;
    bool m_rebuilding = false;
    QHash<library::NodeId, QTreeWidgetItem *> m_items;
    std::optional<library::Library::FileDeletion> m_pending;
    library::ImportConverter m_convert;
};

} // namespace dravo
