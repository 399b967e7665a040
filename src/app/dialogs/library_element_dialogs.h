// The small dialogs of the library: 200 "Новый элемент библиотеки", 201 "Изменение названия и
// описания" and 210, which asks whether an element is deleted with its file or only excluded.
#pragma once

#include "library/library.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace dravo {

class CLibraryElementDialog : public QDialog {
    Q_OBJECT
  public:
    enum Mode { NewElement, ChangeElement };
    explicit CLibraryElementDialog(Mode mode, QWidget *parent = nullptr);

    void SetValues(const QString &name, const QString &description);
    QString Name() const;
    QString Description() const;
    bool Folder() const;
    bool Inside() const;

    // Runs on OK; a refused name shows its message and keeps the dialog open, any other
    // message is shown and the dialog closes.
    std::function<library::Outcome()> apply;
    void accept() override;

  private:
    void Browse();
    QLineEdit *m_name = nullptr;
    QLineEdit *m_description = nullptr;
    QRadioButton *m_template = nullptr;
    QRadioButton *m_folder = nullptr;
    QCheckBox *m_inside = nullptr;
};

class CLibraryDeleteDialog : public QDialog {
    Q_OBJECT
  public:
    // The dialog's results: "Отмена" rejects.
    enum Choice { Cancel = 0, Exclude = 10, Delete = 11 };
    CLibraryDeleteDialog(const QString &question, QWidget *parent = nullptr);
};

// Library text (windows-1251) for the widgets, and back.
QString LibraryText(std::string_view cp1251);
std::string LibraryText(const QString &text);

} // namespace dravo
