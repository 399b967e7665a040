// The rows of a directory list (counterparties, banks, catalogue items) as a Qt list model, with
// the search that narrows it as the user types. The rows are read with one query and kept as
// texts, so a directory of many thousand rows opens at once and is narrowed without going back
// to the database.
#pragma once

#include <QAbstractListModel>
#include <QString>

#include <vector>

namespace dravo::refdata {

// The text as the search compares it: lower case, "ё" read as "е".
QString SearchFolded(const QString &text);

struct ListRow {
    int id = -1;
    QString text; // what the list shows
};

class DirectoryListModel : public QAbstractListModel {
  public:
    static constexpr int IdRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    // Replaces every row (in the order given); the current search stays in force.
    void Reset(std::vector<ListRow> rows);
    // Shows only the rows whose text holds every word of words (any letter case, ё = е); an
    // empty text shows every row.
    void SetSearch(const QString &words);
    const QString &Search() const { return m_search; }

    // The shown row of id, or -1 when it is not shown.
    int RowOf(int id) const;
    // The id of shown row row, or -1.
    int IdAt(int row) const;
    QString TextAt(int row) const;
    // Rows shown / rows held.
    int ShownCount() const { return int(m_shown.size()); }
    int TotalCount() const { return int(m_rows.size()); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

  private:
    void Narrow();

    std::vector<ListRow> m_rows;
    std::vector<QString> m_folded; // by row of m_rows
    std::vector<int> m_shown;      // indexes into m_rows
    QString m_search;
};

} // namespace dravo::refdata
