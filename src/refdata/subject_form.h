// The logic of the subject form "   Предмет договора" (and of the property given in settlement,
// "   Имущество для передачи в счет взаиморасчетов") and of the property catalogue "   Выбор
// имущества" with its item form "   Сведения об имуществе". The form keeps its seven rows as the
// texts the user sees and applies the limits as they are typed; the sets it edits live in the
// database, the names of the sets and their table flags in the template. Texts are windows-1251.
#pragma once

#include "core/body.h"
#include "directory_forms.h"
#include "subject.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace dravo::refdata {

struct SubjectFormRow {
    std::string name;
    std::string quantity = "0";
    std::string unit;
    std::string price = "0.00";
    std::string amount = "0.00";
    // Taken from the catalogue item picked for the row; empty reads as "руб." and "c НДС".
    std::string currency;
    std::string vat;
};

class SubjectForm {
  public:
    static constexpr long kMaxQuantity = 999999999;
    static constexpr double kMaxPrice = 999999999.99;
    static constexpr double kMaxAmount = 999999999999.99;

    // settlement: opened for the property given in settlement (the page's DirRekv(4)).
    SubjectForm(SubjectStore &store, CBody &body, bool settlement);

    // Reads the set names and the template's set; false (message set) when the database
    // cannot be read.
    bool Open(std::string *message = nullptr);

    std::string Title() const;
    bool Settlement() const { return m_settlement; }
    const std::vector<std::string> &SetNames() const { return m_names; }
    const std::string &SetName() const { return m_setName; }
    bool AsTable() const;
    void SetAsTable(bool on);

    const SubjectFormRow &Row(std::size_t i) const { return m_rows[i]; }
    void SetName(std::size_t i, std::string_view text) { m_rows[i].name = text; }
    void SetUnit(std::size_t i, std::string_view text) { m_rows[i].unit = text; }
    // A quantity or price typed into row i: the limits are applied (the message of a broken
    // one is given back and the field reset), the amount and the total recomputed. A price
    // takes a decimal point or comma.
    std::string EditQuantity(std::size_t i, std::string_view text);
    std::string EditPrice(std::size_t i, std::string_view text);
    // An amount typed over the computed one.
    void EditAmount(std::size_t i, std::string_view text);
    // The sum of the seven amounts, "%.2f".
    std::string Total() const;
    double TotalValue() const;

    // "..." with the catalogue's OK: the item's name, unit, price, currency and VAT wording.
    void PickItem(std::size_t i, const CatalogueItem &item);
    // "Очистить".
    void Clear();

    // Another set chosen in "Общее наименование": the shown set is saved, the chosen one
    // loaded.
    bool ChooseSet(const std::string &name, std::string *message = nullptr);
    // A name typed into "Общее наименование" as the box is left: an existing set is chosen; a
    // new name creates a set that takes the rows shown (the set shown before keeps what it had
    // when it was "<не определено>"); an empty name deletes the shown set (never "<не
    // определено>") and shows "<не определено>".
    bool EnterSetName(const std::string &typed, std::string *message = nullptr);
    // "для расчетов" ticked or cleared.
    bool SwitchList(bool settlement, std::string *message = nullptr);

    // "OK": refused (message set) when the total is over the limit; else the set is saved and
    // its name stored in the template.
    bool Accept(std::string *message = nullptr);
    // "Отмена": the template's set names and flags as they were on opening.
    void Cancel();

  private:
    bool Load(const std::string &name, std::string *message);
    bool Save(std::string *message);
    bool ReadNames(std::string *message);
    std::string &TemplateName(bool settlement);
    void Recompute(std::size_t i);

    SubjectStore &m_store;
    CBody &m_body;
    CPun m_opening; // the template's subject settings on opening
    bool m_settlement;
    std::vector<std::string> m_names;
    std::string m_setName;
    std::array<SubjectFormRow, kSubjectRows> m_rows;
};

// "   Выбор имущества".
class Catalogue : public ListChoice {
  public:
    explicit Catalogue(SubjectStore &store) : m_store(store) {}

    bool Load(std::string *message = nullptr);
    std::optional<int> Add(std::string *message = nullptr);
    void CancelAdded(int id);
    bool DeleteSelected(std::string *message = nullptr);
    bool Refill(std::string *message = nullptr);
    // "OK": the selected item; nullopt with "Не указано имущество" when there is none.
    std::optional<CatalogueItem> Chosen(std::string *message = nullptr) const;

    static std::string DeleteQuestion();

  private:
    SubjectStore &m_store;
};

// "   Сведения об имуществе" on one LISTM row.
class ItemCard {
  public:
    ItemCard(SubjectStore &store, int id) : m_store(store), m_id(id) {}

    bool Load(std::string *message = nullptr);
    // The fields in screen order: Name, Edizm, Price2, Currency, Definds, Dop.
    static std::span<const FormField> Fields();
    std::string Text(std::string_view column) const;
    void SetText(std::string_view column, std::string_view text);
    // "OK"; a price that is not a number is refused with its own message.
    bool Save(std::string *message = nullptr);

  private:
    SubjectStore &m_store;
    int m_id;
    std::array<std::string, 6> m_texts;
};

// "%.2f" of a number.
std::string Money(double value);

} // namespace dravo::refdata
