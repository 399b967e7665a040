#include "app/dialogs/directory_list.h"

#include "refdata/qt_text.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace dravo {

QString Shown(std::string_view cp1251) {
    return refdata::ToQt(cp1251);
}

std::string Typed(const QString &text) {
    return refdata::FromQt(text);
}

DirectoryList::DirectoryList(refdata::ListChoice &choice, QWidget *parent)
    : QWidget(parent), m_choice(choice) {
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("Поиск"));
    m_search->setClearButtonEnabled(true);
    m_view = new QListView(this);
    m_view->setObjectName(QStringLiteral("list"));
    m_view->setModel(&choice.Model());
    m_view->setUniformItemSizes(true); // many thousand rows lay out at once
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_search);
    layout->addWidget(m_view);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_choice.Model().SetSearch(text);
        // A search that leaves one row chooses it; otherwise the chosen row stays chosen.
        if (m_choice.SelectedRow() < 0 && m_choice.Model().ShownCount() == 1)
            m_choice.Select(m_choice.Model().IdAt(0));
        ShowSelection();
        emit selectionChanged();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (m_showing || !current.isValid())
                    return;
                m_choice.Select(m_choice.Model().IdAt(current.row()));
                emit selectionChanged();
            });
    connect(m_view, &QListView::activated, this, [this](const QModelIndex &index) {
        m_choice.Select(m_choice.Model().IdAt(index.row()));
        emit activated();
    });
}

void DirectoryList::ShowSelection(bool shown) {
    m_showing = true;
    const int row = shown ? m_choice.SelectedRow() : -1;
    QItemSelectionModel *selection = m_view->selectionModel();
    if (row < 0) {
        selection->clear();
    } else {
        const QModelIndex index = m_choice.Model().index(row);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    m_showing = false;
}

} // namespace dravo
