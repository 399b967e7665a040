#include "app/commands.h"

#include <algorithm>
#include <array>
#include <map>

namespace dravo {

namespace {

const std::map<int, QString> &Prompts() {
    static const std::map<int, QString> prompts = {
        {ID_LIBRARY, QStringLiteral("Библиотека шаблонов")},
        {ID_JOURNAL,
         QStringLiteral("Сформировать журнал договоров текущего года\nЖурнал договоров")},
        {ID_EXIT, QStringLiteral("Выход из приложения\nВыход")},
        {ID_HELP, QStringLiteral("Помощь по программе ДРАВО Договор\nПомощь")},
        {ID_TIP_OF_THE_DAY, QStringLiteral("Выводит окно с советом дня")},
        {ID_OPEN_IN_WORD,
         QStringLiteral(
             "Преобразовать и открыть документ для работы в редакторе Word \nКопировать ")},
        {ID_SAVE_PDF, QStringLiteral("Сохранить документ в формате PDF, как он показан\nPDF")},
        {ID_PRINT_PREVIEW, QStringLiteral("Предварительный просмотр перед печатью")},
        {ID_PRINT, QStringLiteral("Печатать активного документа\nПечать")},
        {ID_PRINT_SETUP, QStringLiteral("Изменить параметры печати\nПараметры печати")},
        {ID_SETUP_DATA, QStringLiteral("Номер, дата документа, наименование и статус сторон в "
                                       "договоре\nУстановочные данные")},
        {ID_USER_REQUISITES,
         QStringLiteral("Реквизиты пользователя как одной из стороны в договоре")},
        {ID_COUNTERPARTY,
         QStringLiteral("Выбор данных контрагента из базы контрагентов\nВыбор контрагента")},
        {ID_VARIABLE_DATA, QStringLiteral("Ввод изменяемых данных в договор\nИзменяемые данные")},
        {ID_SUBJECT, QStringLiteral("Определение списка имущества, передаваемого по договору")},
        {ID_JOURNAL_PARAMETERS, QStringLiteral("Определение заголовков журнала, фильтрации, "
                                               "наименования столбцов таблицы журнала")},
        {ID_REGISTER, QStringLiteral("Зарегистрировать активный документ в журнале договоров")},
        {ID_FONT, QStringLiteral("Параметры шрифтов\nШрифт")},
        {ID_PARAGRAPH, QStringLiteral("Параметры абзацев\nАбзац")},
        {ID_PAGE_SETUP, QStringLiteral("Параметры страницы\nСтраница")},
        {ID_STYLES, QStringLiteral("Выбор, добавление, изменение стилей форматирования "
                                   "документа\nСтили форматирования")},
        {ID_HIGHLIGHT,
         QStringLiteral("Включение/отключение выделения в тексте изменяемых фрагментов")},
        {ID_VIEW_TOOLBAR, QStringLiteral("Показать или скрыть панель инструментов")},
        {ID_VIEW_STATUSBAR, QStringLiteral("Показать или скрыть строку состояния")},
        {ID_NEW_WINDOW, QStringLiteral("Открыть активный документ в новом окне\nНовое окно")},
        {ID_CASCADE, QStringLiteral("Выстроить окна каскадом")},
        {ID_TILE, QStringLiteral("Разделить главное окно между всеми открытыми окнами документов")},
        {ID_FILE_NEW, QStringLiteral("Создать новый шаблон договора\nНовый шаблон")},
        {ID_FILE_SAVE_AS, QStringLiteral("Сохранить новый шаблон или изменить название старого "
                                         "шаблона\nСохранить шаблон")},
    };
    return prompts;
}

} // namespace

QString CommandPrompt(int id) {
    const auto &p = Prompts();
    const auto it = p.find(id);
    return it == p.end() ? QString() : it->second;
}

QString StatusPrompt(int id) {
    return CommandPrompt(id).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipText(int id) {
    const QString text = CommandPrompt(id);
    const int lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? QString() : text.mid(lf + 1);
}

bool GrayedForKind(int id, int activeKind) {
    // Commands that change a template's own content.
    static constexpr std::array templateOnly = {ID_SETUP_DATA, ID_USER_REQUISITES, ID_COUNTERPARTY,
                                                ID_VARIABLE_DATA, ID_SUBJECT};
    // Formatting commands that also apply to a journal page.
    static constexpr std::array formatting = {ID_FONT, ID_PARAGRAPH, ID_STYLES, ID_HIGHLIGHT};
    const auto in = [id](const auto &list) {
        return std::find(list.begin(), list.end(), id) != list.end();
    };
    switch (activeKind) {
    case TemplateDocument:
        return false;
    case JournalDocument:
        return in(templateOnly) || id == ID_FILE_SAVE_AS;
    default:
        return in(templateOnly) || in(formatting);
    }
}

int ActionForKind(int id, int activeKind) {
    switch (id) {
    case ID_SETUP_DATA: // kind 1: the set-up data; kind 2: the journal parameters
        return activeKind == TemplateDocument  ? id
               : activeKind == JournalDocument ? int(ID_JOURNAL_PARAMETERS)
                                               : 0;
    case ID_USER_REQUISITES: // kind 1: the user's requisites; kind 3: the counterparty choice
        return activeKind == TemplateDocument     ? id
               : activeKind == StoredFileDocument ? int(ID_COUNTERPARTY)
                                                  : 0;
    case ID_COUNTERPARTY:
    case ID_VARIABLE_DATA:
        return activeKind == TemplateDocument ? id : 0;
    case ID_STYLES:
        return activeKind == TemplateDocument || activeKind == JournalDocument ? id : 0;
    default:
        return id;
    }
}

bool CommandImplemented(int id) {
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_LIBRARY: // a file dialog on the Templates folder until the library exists
    case ID_HIGHLIGHT:
    case ID_VIEW_TOOLBAR:
    case ID_TOOLBAR_TEXT:
    case ID_VIEW_STATUSBAR:
    case ID_NEW_WINDOW:
    case ID_CASCADE:
    case ID_TILE:
    case ID_PRINT:
    case ID_PRINT_PREVIEW:
    case ID_PRINT_SETUP:
    case ID_PAGE_SETUP:
    case ID_OPEN_IN_BROWSER:
    case ID_OPEN_IN_WORD:
    case ID_SAVE_PDF:
    case ID_HELP:
    case ID_WEB_SITE:
    case ID_MAIL:
    case ID_TIP_OF_THE_DAY:
    case ID_ABOUT:
    case ID_EXIT:
    case ID_COPY:
    case ID_CUT:
    case ID_PASTE:
    case ID_UNDO:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
    case ID_SETUP_DATA:      // the set-up data of a template
    case ID_USER_REQUISITES: // the user's requisites of a template
    case ID_VARIABLE_DATA:   // the variable data of a template
    case ID_COUNTERPARTY:    // the parties from the counterparty directory
    case ID_SUBJECT:         // the subject of the contract
    case ID_NETWORK:
    case ID_JOURNAL:
    case ID_JOURNAL_PARAMETERS:
    case ID_REGISTER:
    case ID_FONT:
    case ID_PARAGRAPH:
    case ID_STYLES:
        return true;
    default:
        return false;
    }
}

} // namespace dravo
