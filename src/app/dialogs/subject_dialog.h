// "   Предмет договора" (and "   Имущество для передачи в счет взаиморасчетов"): the seven rows
// of the subject with the set they are stored in; the catalogue "   Выбор имущества" and its
// item form "   Сведения об имуществе". The rules live in refdata's SubjectForm, Catalogue and
// ItemCard.
#pragma once

#include "refdata/subject_form.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace dravo {

class CHolderDoc;
class DirectoryList;
struct FormEdits;

class SubjectDialog : public QDialog {
    Q_OBJECT
  public:
    SubjectDialog(refdata::SubjectForm &form, refdata::SubjectStore &store,
                  QWidget *parent = nullptr);

    void accept() override;
    void reject() override;

  private:
    struct RowEdits {
        QLineEdit *name, *quantity, *unit, *price, *amount;
    };
    void ShowRow(std::size_t i);
    void ShowAll();
    void ShowNames();
    void ShowTotal();
    void Say(const std::string &message);
    void EnterName();
    void Pick(std::size_t i);

    refdata::SubjectForm &m_form;
    refdata::SubjectStore &m_store;
    std::array<RowEdits, refdata::kSubjectRows> m_rows{};
    QLineEdit *m_total = nullptr;
    QComboBox *m_setName = nullptr;
    QCheckBox *m_settlement = nullptr;
    QCheckBox *m_asTable = nullptr;
};

class CatalogueDialog : public QDialog {
    Q_OBJECT
  public:
    CatalogueDialog(refdata::Catalogue &catalogue, refdata::SubjectStore &store,
                    QWidget *parent = nullptr);
    void accept() override;
    const std::optional<refdata::CatalogueItem> &Chosen() const { return m_chosen; }

  private:
    refdata::Catalogue &m_catalogue;
    refdata::SubjectStore &m_store;
    DirectoryList *m_list = nullptr;
    std::optional<refdata::CatalogueItem> m_chosen;
};

class ItemDialog : public QDialog {
    Q_OBJECT
  public:
    ItemDialog(refdata::ItemCard &card, QWidget *parent = nullptr);
    ~ItemDialog() override;
    void accept() override;

  private:
    refdata::ItemCard &m_card;
    std::unique_ptr<FormEdits> m_form;
};

// Command 2057 (settlement false) and the page's DirRekv(3) / DirRekv(4). True on OK; the caller
// rebuilds the page and marks the document modified.
bool RunSubjectDialog(QWidget *parent, CHolderDoc &doc, bool settlement);
// The catalogue; the chosen item on OK.
std::optional<refdata::CatalogueItem> RunCatalogue(QWidget *parent, refdata::SubjectStore &store);
// The item form on row id; true on OK.
bool RunItemCard(QWidget *parent, refdata::SubjectStore &store, int id);

} // namespace dravo
