#include "checks.h"

#include "core/text.h"

#include <algorithm>
#include <array>

namespace dravo::refdata {

using namespace dravo::literals;

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool Digits(std::string_view text, std::size_t count) {
    return text.size() == count &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The check digit of the first weights.size() digits: weighted sum mod 11 mod 10.
template <std::size_t N>
int CheckDigit(std::string_view digits, const std::array<int, N> &weights) {
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i)
        sum += (digits[i] - '0') * weights[i];
    return sum % 11 % 10;
}

// The three digits that key an account to its bank: for a correspondent account "0" and the
// fifth and sixth digits of the БИК; for a settlement account the last three digits of the БИК,
// unless the bank is a cash settlement centre (last three "000"), whose accounts are keyed as
// correspondent ones.
std::string AccountPrefix(std::string_view bik, bool correspondent) {
    std::string prefix;
    if (correspondent || bik.substr(6) == "000") {
        prefix += '0';
        prefix += bik.substr(4, 2);
    } else {
        prefix += bik.substr(6, 3);
    }
    return prefix;
}

std::string AccountWarning(std::string_view account, std::string_view bik, bool correspondent) {
    account = Trimmed(account);
    bik = Trimmed(bik);
    if (account.empty())
        return {};
    if (!Digits(account, 20))
        return std::string(correspondent ? "Корр. счет должен состоять из 20 цифр"_w
                                         : "Расчетный счет должен состоять из 20 цифр"_w);
    if (!Digits(bik, 9))
        return {};
    std::string digits = AccountPrefix(bik, correspondent);
    digits += account;
    if (!AccountKeyOk(digits))
        return std::string(correspondent ? "Корр. счет не соответствует БИК банка"_w
                                         : "Расчетный счет не соответствует БИК банка"_w);
    return {};
}

} // namespace

bool AccountKeyOk(std::string_view digits23) {
    if (!Digits(digits23, 23))
        return false;
    static constexpr int kWeights[3] = {7, 1, 3};
    int sum = 0;
    for (std::size_t i = 0; i < 23; ++i)
        sum += (digits23[i] - '0') * kWeights[i % 3] % 10;
    return sum % 10 == 0;
}

std::string InnWarning(std::string_view inn, TaxpayerKind kind) {
    inn = Trimmed(inn);
    if (inn.empty())
        return {};
    if (kind == TaxpayerKind::Organisation) {
        if (!Digits(inn, 10))
            return std::string("ИНН организации должен состоять из 10 цифр"_w);
        static constexpr std::array<int, 9> w10 = {2, 4, 10, 3, 5, 9, 4, 6, 8};
        if (CheckDigit(inn, w10) != inn[9] - '0')
            return std::string("Неверное контрольное число ИНН"_w);
        return {};
    }
    if (!Digits(inn, 12))
        return std::string("ИНН гражданина должен состоять из 12 цифр"_w);
    static constexpr std::array<int, 10> w11 = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    static constexpr std::array<int, 11> w12 = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    if (CheckDigit(inn, w11) != inn[10] - '0' || CheckDigit(inn, w12) != inn[11] - '0')
        return std::string("Неверное контрольное число ИНН"_w);
    return {};
}

std::string BikWarning(std::string_view bik) {
    bik = Trimmed(bik);
    if (bik.empty() || Digits(bik, 9))
        return {};
    return std::string("БИК должен состоять из 9 цифр"_w);
}

std::string CorrAccountWarning(std::string_view account, std::string_view bik) {
    return AccountWarning(account, bik, true);
}

std::string SettlementAccountWarning(std::string_view account, std::string_view bik) {
    return AccountWarning(account, bik, false);
}

} // namespace dravo::refdata
