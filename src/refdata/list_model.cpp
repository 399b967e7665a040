#include "list_model.h"

#include <QStringList>

namespace dravo::refdata {

QString SearchFolded(const QString &text) {
    QString folded = text.toLower();
    folded.replace(QChar(0x0451), QChar(0x0435)); // ё -> е
    return folded;
}

void DirectoryListModel::Reset(std::vector<ListRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_folded.clear();
    m_folded.reserve(m_rows.size());
    for (const ListRow &row : m_rows)
        m_folded.push_back(SearchFolded(row.text));
    Narrow();
    endResetModel();
}

void DirectoryListModel::SetSearch(const QString &words) {
    if (words == m_search)
        return;
    beginResetModel();
    m_search = words;
    Narrow();
    endResetModel();
}

void DirectoryListModel::Narrow() {
    const QStringList words = SearchFolded(m_search).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    m_shown.clear();
    m_shown.reserve(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        bool all = true;
        for (const QString &word : words)
            if (!m_folded[i].contains(word)) {
                all = false;
                break;
            }
        if (all)
            m_shown.push_back(int(i));
    }
}

int DirectoryListModel::RowOf(int id) const {
    for (std::size_t i = 0; i < m_shown.size(); ++i)
        if (m_rows[std::size_t(m_shown[i])].id == id)
            return int(i);
    return -1;
}

int DirectoryListModel::IdAt(int row) const {
    if (row < 0 || row >= int(m_shown.size()))
        return -1;
    return m_rows[std::size_t(m_shown[std::size_t(row)])].id;
}

QString DirectoryListModel::TextAt(int row) const {
    if (row < 0 || row >= int(m_shown.size()))
        return {};
    return m_rows[std::size_t(m_shown[std::size_t(row)])].text;
}

int DirectoryListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant DirectoryListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= int(m_shown.size()))
        return {};
    const ListRow &row = m_rows[std::size_t(m_shown[std::size_t(index.row())])];
    if (role == Qt::DisplayRole)
        return row.text;
    if (role == IdRole)
        return row.id;
    return {};
}

} // namespace dravo::refdata
