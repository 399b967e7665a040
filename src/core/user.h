// The user's own requisites ("usr.dat") and the value lists of the variable-data entry
// ("buff.dat"): the two data files that belong to no template. Messages are windows-1251 texts
// for the caller to show.
#pragma once

#include "body.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dravo {

// The user as a party of the contract: 14 texts, stored in this order.
struct CUser {
    enum Index : std::size_t {
        UserName = 0,        // "Наименование"
        SignatureLine = 1,   // "Строка для подписи"
        ReferredAs = 2,      // "именуем(ое)"
        RepresentedBy = 3,   // "в лице"
        AddressAndTaxId = 4, // "Адрес, ИНН"
        PaymentDetails = 5,  // "Платежные реквизиты"
        Phones = 7,          // "Телефоны, факс"
        Settlement = 12,     // "Населенный пункт": where contracts are made
        LastDocument = 13,   // the path of the last template document closed
    };
    static constexpr std::size_t kTextCount = 14;

    std::string &Text(std::size_t i) { return m_arTexts[i]; }
    const std::string &Text(std::size_t i) const { return m_arTexts[i]; }

    bool operator==(const CUser &) const = default;

    std::array<std::string, kTextCount> m_arTexts;
};

inline constexpr std::string_view kUserFileName = "usr.dat";
inline constexpr std::string_view kListsFileName = "buff.dat";

// "Не найден файл реквизитов пользователя"
std::string_view UserFileMissingMessage();
// "Не удалось открыть файл со списками данных"
std::string_view ListsFileMissingMessage();

// Reads the 14 texts (bytes after them are ignored). A file that cannot be opened gives
// UserFileMissingMessage(), a malformed one the file's name, ": " and kUnexpectedFileFormat;
// either way user keeps its texts.
bool LoadUserRequisites(const std::string &path, CUser &user, std::string &error);

// The file's bytes for a record: the 14 texts in order.
std::string StoreUserRequisites(const CUser &user);

// Stores the 14 texts over an existing file, safely (WriteFileAtomically). A file that does not
// exist or cannot be opened for writing is never created: the result is false with
// UserFileMissingMessage() and nothing is written. A file that does not load (a damaged one) is
// never stored over: false with the load's message.
bool SaveUserRequisites(const std::string &path, const CUser &user, std::string &error);

// The lists body as the program starts with it: a fresh body with no articles.
CBody NewListsBody();

// Reads the lists body. A file that cannot be opened gives ListsFileMissingMessage(), a malformed
// one the file's name, ": " and kUnexpectedFileFormat; either way lists keeps what it held.
bool LoadLists(const std::string &path, CBody &lists, std::string &error);

// Stores the lists body over an existing file, safely; a missing file is not created (false with
// ListsFileMissingMessage(); the program stays silent about it at exit). A damaged file is never
// stored over, as with SaveUserRequisites.
bool SaveLists(const std::string &path, CBody &lists, std::string &error);

// A data file that failed to load as malformed: its bytes are copied beside it to
// "<name>.damaged-YYYYMMDD-HHMMSS" (local time; "-2", "-3" ... when that name is taken) and the
// file is then replaced by freshBytes, so that nothing is ever stored over the damaged bytes and
// the program goes on with empty data. message (windows-1251) names the file and the copy. On
// failure the file is left as it is (and, being damaged, is never stored over).
bool SetDamagedFileAside(const std::string &path, std::string_view freshBytes,
                         std::string &message);

// The loads the program makes: LoadUserRequisites and LoadLists, and a damaged file set aside
// with an empty one in its place (the message then says so).
bool LoadUserRequisitesKeepingDamaged(const std::string &path, CUser &user, std::string &error);
bool LoadListsKeepingDamaged(const std::string &path, CBody &lists, std::string &error);

} // namespace dravo
