// Dialog 166, the registration card ("   Регистрация документа" for a new registration,
// "   Карточка документа" for a registered row), and dialog 182, the journal parameters
// "   Параметы журнала". The conversions and the prefill live in textgen/journal.h; these widgets
// show the fields and forward the buttons.
#pragma once

#include "textgen/journal.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QDateEdit;
class QLineEdit;

namespace dravo {

class RegistrationCardDialog : public QDialog {
    Q_OBJECT
  public:
    // How the card was left besides OK and "Отмена".
    enum Outcome { Cancelled, Stored, OpenText, DeleteRecord, OpenAsTemplate };

    // existing: the card of a registered row, with "Текст", "Удалить" and "Открыть как шаблон";
    // captions: the journal's column captions, used as the labels of the ten column fields.
    RegistrationCardDialog(const textgen::CardFields &fields, bool existing,
                           const std::array<std::string, kJournalColumnCount> &captions,
                           QWidget *parent = nullptr);

    textgen::CardFields Fields() const;
    Outcome Result() const { return m_outcome; }

    // OK refuses an amount that is no number, a number longer than 10 characters and a text with
    // a character the code page lacks, with the message, and stays open.
    void accept() override;

  private:
    QLineEdit *Edit(const char *name) const;

    Outcome m_outcome = Cancelled;
    QDateEdit *m_date = nullptr;
    QDateEdit *m_dateControl = nullptr;
};

// The journal parameters: title, subtitle, period, filters, the ten columns and the count line.
class JournalSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit JournalSettingsDialog(const textgen::JournalSettings &settings,
                                   QWidget *parent = nullptr);
    textgen::JournalSettings Settings() const;
    // OK refuses a text with a character the code page lacks, with the message, and stays open.
    void accept() override;

  private:
    textgen::JournalSettings m_settings;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_subtitle = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    std::array<QLineEdit *, kJournalColumnCount> m_captions = {};
    std::array<QCheckBox *, kJournalColumnCount> m_shown = {};
    std::array<QLineEdit *, kJournalColumnCount> m_filters = {};
    QCheckBox *m_count = nullptr;
};

// The captions of the columns as the card's labels, the defaults standing in for empty ones.
std::array<std::string, kJournalColumnCount> CardCaptions(const textgen::JournalSettings &settings);

} // namespace dravo
