// The formatting dialogs: the style list "   Стили форматирования" (156), the style
// "   Стиль форматирования", the fonts ("Шрифт" 144, "   Шрифты журнала" 185) and the paragraphs
// ("Абзац" 139, "   Абзац" 187). The rules live in core/styles.h; these widgets show the values
// and forward the buttons.
#pragma once

#include "core/styles.h"

#include <QDialog>

#include <functional>
#include <optional>

class QListWidget;

namespace dravo {

// The installed font families, gathered once and shared by every font list.
const QStringList &InstalledFonts();

class StyleDialog : public QDialog {
    Q_OBJECT
  public:
    explicit StyleDialog(const FormattingStyle &style, QWidget *parent = nullptr);
    FormattingStyle Style() const;
    // OK refuses a name or font with a character the code page lacks, and stays open.
    void accept() override;
};

class StyleListDialog : public QDialog {
    Q_OBJECT
  public:
    // store writes the styles file after each change; it returns false when it could not.
    StyleListDialog(CBody &record, const CBody &document, std::function<void()> store,
                    QWidget *parent = nullptr);
    // The style chosen with OK.
    std::optional<FormattingStyle> Chosen() const { return m_chosen; }
    void accept() override;

  private:
    void Refill();
    void Add();
    void Change();
    void Delete();

    StyleListEditor m_editor;
    std::function<void()> m_store;
    QListWidget *m_list = nullptr;
    std::optional<FormattingStyle> m_chosen;
};

// Edits the paragraphs of body that FormatDialogParagraphs(journal) names; OK writes them.
class FontDialog : public QDialog {
    Q_OBJECT
  public:
    FontDialog(CBody &body, bool journal, QWidget *parent = nullptr);
    void accept() override;

  private:
    CBody &m_body;
    bool m_journal;
};

class ParagraphDialog : public QDialog {
    Q_OBJECT
  public:
    ParagraphDialog(CBody &body, bool journal, QWidget *parent = nullptr);
    void accept() override;

  private:
    CBody &m_body;
    bool m_journal;
};

} // namespace dravo
