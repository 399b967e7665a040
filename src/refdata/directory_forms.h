// The logic of the counterparty and bank dialogs: the choice of the two parties of a document,
// the bank choice, and the requisites forms of an organisation, a citizen and a bank. The
// widgets show what these classes hold and forward the clicks; every change of the directory
// goes through them. Texts are windows-1251 except the list rows, which are Qt text.
#pragma once

#include "checks.h"
#include "directory.h"
#include "list_model.h"
#include "textgen/datasource.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dravo::refdata {

using textgen::PartySide;

// The message for a change the database did not take: refusedMessage when it refused the
// values (an empty name), else what went wrong (a row deleted meanwhile, a locked or
// read-only file).
std::string ChangeFailedMessage(const DbError &error, std::string_view refusedMessage);

// The rows of the choice lists: counterparties as "Name, Form" (a citizen "Surname, Given
// names"), banks by name, catalogue items by name; each in Russian alphabetical order.
bool LoadPartyRows(SqlConnection &db, std::vector<ListRow> &rows, DbError *error = nullptr);
bool LoadBankRows(SqlConnection &db, std::vector<ListRow> &rows, DbError *error = nullptr);
bool LoadItemRows(SqlConnection &db, std::vector<ListRow> &rows, DbError *error = nullptr);

// The adding, deleting and refilling common to the directory choice lists. The selection is an
// id, so it survives narrowing the list by a search.
class ListChoice {
  public:
    DirectoryListModel &Model() { return m_model; }
    const DirectoryListModel &Model() const { return m_model; }
    int Selected() const { return m_selected; }
    void Select(int id) { m_selected = id; }
    // The shown row of the selection, or -1.
    int SelectedRow() const { return m_model.RowOf(m_selected); }

  protected:
    // The selection rules every choice list shares: the first row when nothing shown is chosen,
    // none when the chosen row is taken back, and after a delete the row that took its place.
    void SelectFirstWhenNone() {
        if (SelectedRow() < 0)
            m_selected = m_model.IdAt(0);
    }
    void Unselect(int id) {
        if (m_selected == id)
            m_selected = -1;
    }
    void SelectAfterDeleting(int row) {
        m_selected = m_model.IdAt(std::min(row, m_model.ShownCount() - 1));
    }

    DirectoryListModel m_model;
    int m_selected = -1;
};

// "   Выбор контрагента": the counterparty and, when the template has one, the third party.
class PartyChoice : public ListChoice {
  public:
    // ids: the document's counterparty and third-party ids (-1: none); names: the display
    // names of the two parties in the template.
    PartyChoice(Directory &directory, std::array<int, 2> ids, bool thirdParty,
                std::array<std::string, 2> names);

    // Reads the list and selects the current side's party (nothing when its row is gone).
    bool Load(std::string *message = nullptr);

    PartySide Side() const { return m_side; }
    // Three blanks and the display name of the party being chosen.
    std::string Title() const;
    // "Следующий" on the counterparty, "Предыдущий" on the third party.
    std::string NextCaption() const;
    bool NextShown() const { return m_thirdParty; }
    // Switches to the other party: its selection, title and "Прочерки ".
    void Next();

    bool Dashes() const { return m_dashes[Index(m_side)]; }
    void SetDashes(bool on) { m_dashes[Index(m_side)] = on; }

    // "Добавить": a new row of that kind at once, selected; nullopt (message set) when the
    // database refused it.
    std::optional<int> Add(PartyKind kind, std::string *message = nullptr);
    // "Отмена" in the form of a row just added: the row goes again.
    void CancelAdded(int id);
    // "Удалить" after its question: deletes the selected row and refills the list.
    bool DeleteSelected(std::string *message = nullptr);
    // Reads the list again (after "Изменить"); the selection stays.
    bool Refill(std::string *message = nullptr);
    // Whether the selected row is a citizen's (the form "Изменить" opens).
    bool SelectedIsCitizen() const;

    // The ids "OK" gives: -1 for a side with "Прочерки " ticked or nothing selected.
    std::array<int, 2> Result() const;

    // The question before "Удалить".
    static std::string DeleteQuestion();

  private:
    static std::size_t Index(PartySide side) { return side == PartySide::Counterparty ? 0 : 1; }
    void Store() { m_ids[Index(m_side)] = m_selected; }

    Directory &m_directory;
    std::array<int, 2> m_ids;
    std::array<bool, 2> m_dashes{};
    bool m_thirdParty;
    std::array<std::string, 2> m_names;
    PartySide m_side = PartySide::Counterparty;
};

// "   Выбор банка".
class BankChoice : public ListChoice {
  public:
    BankChoice(Directory &directory, int bankId);

    // Reads the list; selects the current bank, or the first row when it is not there.
    bool Load(std::string *message = nullptr);

    // "Не выводить сведения о банке".
    bool NoBank() const { return m_noBank; }
    void SetNoBank(bool on) { m_noBank = on; }
    // Whether the list shows a selection ("Удалить" and "Изменить" enabled).
    bool HasSelection() const { return !m_noBank && SelectedRow() >= 0; }

    std::optional<int> Add(std::string *message = nullptr);
    void CancelAdded(int id);
    bool DeleteSelected(std::string *message = nullptr);
    bool Refill(std::string *message = nullptr);

    // What "OK" gives: -1 with "Не выводить сведения о банке" ticked, else the selected bank.
    int Result() const { return m_noBank ? -1 : m_selected; }

    static std::string DeleteQuestion();

  private:
    Directory &m_directory;
    bool m_noBank = false;
};

// One field of a requisites form: its caption, the column it edits and its greatest length.
struct FormField {
    std::string_view caption; // windows-1251
    std::string_view column;
    int maxLength;
    std::string_view group; // the frame it stands in; empty for none
};

// The organisation form "   Реквизиты контрагента" in screen order (the bank, shown between
// "Расчетный счет" and "Телефон, факс", is not a text field).
std::span<const FormField> OrganisationFields();
// The citizen form "   Данные гражданина" ("Предприниматель" is a check box after "Адрес").
std::span<const FormField> CitizenFields();
// The bank form "   Реквизиты банка".
std::span<const FormField> BankFields();

// The requisites form of one counterparty row, organisation or citizen by its PersonFlag.
class PartyCard {
  public:
    PartyCard(Directory &directory, int id) : m_directory(directory), m_id(id) {}

    // Reads the row; false (message set) when it cannot be read or no longer exists.
    bool Load(std::string *message = nullptr);

    int Id() const { return m_id; }
    bool Citizen() const { return m_record.person; }
    std::span<const FormField> Fields() const;

    // A field's text by column name; setting cuts it to the field's greatest length.
    std::string Text(std::string_view column) const;
    void SetText(std::string_view column, std::string_view text);
    bool Entrepreneur() const { return m_record.entrepreneur; }
    void SetEntrepreneur(bool on) { m_record.entrepreneur = on; }

    // The bank as the form shows it: an id without a bank row is no bank.
    int BankId() const { return m_record.bank ? m_record.bankId : -1; }
    std::string BankName() const;
    // "..." with the bank choice's OK: the row takes the bank at once.
    bool SetBank(int bankId, std::string *message = nullptr);

    // The warning of the check of a field (ИНН, расчетный счет against the bank's БИК); empty
    // when it passes or has no check.
    std::string Warning(std::string_view column) const;

    // "OK": writes the fields (and a citizen's flags); false (message set) when the database
    // did not take them, e.g. "Укажите наименование контрагента" for an empty name.
    bool Save(std::string *message = nullptr);

  private:
    std::size_t Column(std::string_view column) const;

    Directory &m_directory;
    int m_id;
    PartyRecord m_record;
};

// The bank form "   Реквизиты банка" on one BANK row.
class BankCard {
  public:
    BankCard(Directory &directory, int id) : m_directory(directory), m_id(id) {}

    bool Load(std::string *message = nullptr);
    int Id() const { return m_id; }
    std::string Text(std::string_view column) const;
    void SetText(std::string_view column, std::string_view text);
    std::string Warning(std::string_view column) const;
    bool Save(std::string *message = nullptr);

  private:
    Directory &m_directory;
    int m_id;
    BankRecord m_record;
};

// The check warnings of a whole row, for the command line: (column, warning) pairs.
std::vector<std::pair<std::string, std::string>> PartyWarnings(const PartyRecord &record);
std::vector<std::pair<std::string, std::string>> BankWarnings(const BankRecord &record);

} // namespace dravo::refdata
