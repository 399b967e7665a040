// Registering a document in the journal: the card's prefill from the document and the row the
// card stores, with the page text, the template and its variable data. Shared by the window's
// registration card and "dravo-cli journal register".
#pragma once

#include "document_database.h"
#include "journal.h"

#include "core/user.h"

#include <string>

namespace dravo::refdata {

struct RegistrationSource {
    CBody *body = nullptr;          // the document (the page build writes its side effects)
    int kind = 1;                   // stored with the template
    DocumentDatabase *db = nullptr; // parties, subjects; nothing: blank parties
    const CUser *user = nullptr;    // the place of the date line
    std::string numberText;         // the document's number
    Date date;                      // and date
    bool dateShown = true;
    bool highlight = false; // the page text as the window shows it
    std::string title;      // the window title
};

struct RegistrationDraft {
    textgen::CardFields card;
    RegisteredContent content;
    std::string problem; // the party-order message, when the card must show it
};

// The prefilled card and the content a registration keeps: the page text, the template's file
// bytes (kind and party selection included) and its variable data.
RegistrationDraft DraftRegistration(const RegistrationSource &source);

// Stores the card as a new journal row with the content; gives the row's key. The caller then
// recomputes the document's next number. proposedNumber is the number the card was prefilled
// with: when the card still holds it, the row takes the journal's next number as it is stored
// (another computer of the office may have taken the proposed one meanwhile); a number the
// user typed is stored as typed.
std::optional<int> RegisterDocument(JournalStore &store, const textgen::CardFields &card,
                                    const RegisteredContent &content, DbError *error,
                                    const std::string &proposedNumber = {});

} // namespace dravo::refdata
