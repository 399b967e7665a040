// The logic of the set-up data dialog "   Установочные данные": title, subtitle, number, the
// date-shown flag, the names and order of the parties and the split preamble of a template.
// The date check box, the third-party check box and the two spins change the document at once;
// Cancel puts back what they changed, so a cancelled dialog leaves the document as it was.
#pragma once

#include "core/body.h"
#include "core/text.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dravo {

// The document values the dialog edits besides the body. The date itself goes straight from
// the dialog's date picker into the document.
struct SetupDocument {
    std::string numberText;
    int number = 0;
    bool dateShown = true;
};

// What the dialog's edits and the "split" check box hold.
struct SetupFields {
    std::string title;
    std::string subtitle;
    std::string number;
    std::array<std::string, 3> names; // rows 1, 2, 3
    bool splitPreamble = false;

    bool operator==(const SetupFields &) const = default;
};

// Role codes kept for the three positions of the contract.
enum PartyRole : std::uint16_t { RoleUser = 1, RoleCounterparty = 2, RoleThirdParty = 3 };

// "Пользователь", "Контрагент", "Третья сторона"; empty for any other code.
std::string_view RoleName(std::uint16_t role);

// The leading decimal value of a number text (blanks before it skipped); 0 when the text does
// not start with a digit, and the largest int when the digits run past it.
int LeadingNumber(std::string_view text);

class SetupDataEditor {
  public:
    static constexpr std::string_view kNoDate = "< прочерк >"_w;
    static constexpr std::string_view kNotTakingPart = "<не участвует>"_w;

    SetupDataEditor(CBody &body, SetupDocument &document);

    // The values the edits open with.
    SetupFields OpeningFields() const;
    bool DateShown() const { return m_document.dateShown; }
    bool ThirdPartyTakesPart() const;
    // Role code standing at position 1..3; an order never set reads as 1, 2, 3.
    std::uint16_t RoleAt(int position) const;
    // The label of row 1..3: the name of the role standing at that position.
    std::string_view RowLabel(int position) const { return RoleName(RoleAt(position)); }

    // Clicks while the dialog is open.
    void ToggleDate();
    void ToggleThirdParty();
    void SwapUpper(); // the spin beside rows 1 and 2
    void SwapLower(); // the spin beside rows 2 and 3

    // "ОК": stores everything in the dialog's order.
    void Accept(const SetupFields &fields);
    // "Отмена": puts back what the clicks changed.
    void Cancel();

  private:
    // Every command first gives a template whose order was never set the order 1, 2, 3.
    void SettleOrder();
    std::uint16_t &RoleSlot(int position);

    CBody &m_body;
    SetupDocument &m_document;
    // What the clicks may change, as it was when the dialog opened.
    std::array<std::uint16_t, 3> m_openingRoles{};
    std::uint16_t m_openingThirdParty = 0;
    bool m_openingDateShown = true;
};

} // namespace dravo
