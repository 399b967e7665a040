// Checks of the tax and bank numbers a user types into the directory forms: the taxpayer number
// (ИНН) with its check digits, the bank identifier (БИК) and the two accounts, each keyed to the
// БИК by the control key of Russian bank accounts. A finding is a warning, never a refusal: the
// user may keep a number the check does not like (an old record, a foreign bank). An empty
// field is not checked. Texts are windows-1251.
#pragma once

#include <string>
#include <string_view>

namespace dravo::refdata {

// Which taxpayer number a field holds: an organisation's has 10 digits, a citizen's or an
// entrepreneur's 12.
enum class TaxpayerKind { Organisation, Person };

// The warning for the number, or the empty text when it passes (or is empty).
std::string InnWarning(std::string_view inn, TaxpayerKind kind);
std::string BikWarning(std::string_view bik);
// The correspondent account against the bank's БИК; without a sound БИК only its length is
// checked.
std::string CorrAccountWarning(std::string_view account, std::string_view bik);
// The settlement account against the БИК of its bank; likewise.
std::string SettlementAccountWarning(std::string_view account, std::string_view bik);

// True when the 23 digits (3 of the БИК and the 20 of the account) pass the control key: each
// digit times 7, 1, 3, 7, 1, 3 ..., the last digits of the products summed, the sum ending in 0.
bool AccountKeyOk(std::string_view digits23);

} // namespace dravo::refdata
