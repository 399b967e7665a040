#include "app/menus.h"

#include "app/commands.h"

namespace dravo {

namespace {

MenuLayout HelpMenu() {
    return {QStringLiteral("&Помощь"),
            {{ID_HELP, QStringLiteral("&Помощь\tF1")},
             {ID_TIP_OF_THE_DAY, QStringLiteral("&Совет дня")},
             {0, {}},
             {ID_WEB_SITE, QStringLiteral("Сайт программы...")},
             {ID_MAIL, QStringLiteral("Задать вопрос...")},
             {0, {}},
             {ID_ABOUT, QStringLiteral("&О программе...")}}};
}

} // namespace

const MenuBarLayout &MenuBar128() {
    static const MenuBarLayout menu = {
        {QStringLiteral("&Документ"),
         {{ID_LIBRARY, QStringLiteral("&Библиотека\tCtrl-O")},
          {ID_JOURNAL, QStringLiteral("&Журнал")},
          {ID_NETWORK, QStringLiteral("Сетевая работа...")},
          {0, {}},
          {ID_EXIT, QStringLiteral("&Выход\tAlt-F4")}}},
        HelpMenu(),
    };
    return menu;
}

const MenuBarLayout &MenuBar129() {
    static const MenuBarLayout menu = {
        {QStringLiteral("&Документ"),
         {{ID_LIBRARY, QStringLiteral("&Библиотека\tCtrl-0")},
          {ID_OPEN_IN_WORD, QStringLiteral("Открыть &в Microsoft Word")},
          {ID_SAVE_PDF, QStringLiteral("Сохранить в PDF...")},
          {ID_NETWORK, QStringLiteral("&Сетевая работа...")},
          {0, {}},
          {ID_PRINT_PREVIEW, QStringLiteral("П&редварительный просмотр")},
          {ID_PRINT, QStringLiteral("&Печать...\tCtrl-P")},
          {ID_PRINT_SETUP, QStringLiteral("Пар&аметры печати")},
          {0, {}},
          {ID_FILE_SAVE, QStringLiteral("Сохранить\tCtrl+S")},
          {ID_FILE_SAVE_AS, QStringLiteral("Сохранить &как...")},
          {0, {}},
          {ID_EXIT, QStringLiteral("В&ыход\tAlt-F4")}}},
        {QStringLiteral("Д&анные"),
         {{ID_SETUP_DATA, QStringLiteral("&Установочные данные\tF3")},
          {ID_USER_REQUISITES, QStringLiteral("&Реквизиты пользователя")},
          {ID_COUNTERPARTY, QStringLiteral("&Выбор контрагента\tF5")},
          {0, {}},
          {ID_VARIABLE_DATA, QStringLiteral("&Изменяемые данные\tF4")},
          {ID_SUBJECT, QStringLiteral("&Предмет")}}},
        {QStringLiteral("&Журнал"),
         {{ID_JOURNAL, QStringLiteral("&Журнал")},
          {ID_JOURNAL_PARAMETERS, QStringLiteral("&Параметры журнала")},
          {0, {}},
          {ID_REGISTER, QStringLiteral("&Зарегистрировать документ...")}}},
        {QStringLiteral("&Настройка"),
         {{ID_FONT, QStringLiteral("Шрифт          ")},
          {ID_PARAGRAPH, QStringLiteral("Абзац")},
          {ID_PAGE_SETUP, QStringLiteral("&Страница")},
          {0, {}},
          {ID_STYLES, QStringLiteral("Стили &форматирования\tF7")},
          {ID_HIGHLIGHT, QStringLiteral("Подсветка текста\tF8")},
          {0, {}},
          {ID_VIEW_TOOLBAR, QStringLiteral("&Панель инструментов")},
          {ID_TOOLBAR_TEXT, QStringLiteral("Подписи к &копкам панели")},
          {ID_VIEW_STATUSBAR, QStringLiteral("&Строка состояния")}}},
        {QStringLiteral("&Окно"),
         {{ID_NEW_WINDOW, QStringLiteral("&Новое окно")},
          {ID_CASCADE, QStringLiteral("&Упорядочить")},
          {ID_TILE, QStringLiteral("&Разделить")}}},
        HelpMenu(),
    };
    return menu;
}

QString OpenInWordText() {
    return QStringLiteral("Открыть в Microsoft &Word");
}
QString OpenInExplorerText() {
    return QStringLiteral("Открыть в Microsoft &Explorer");
}

const std::vector<ToolButtonSpec> &Toolbar128() {
    static const std::vector<ToolButtonSpec> buttons = {
        {ID_LIBRARY, QStringLiteral("Библиотека"), QStringLiteral(":/icons/library.svg")},
        {ID_PRINT, QStringLiteral("Печать"), QStringLiteral(":/icons/print.svg")},
        {ID_SETUP_DATA, QStringLiteral("Установка"), QStringLiteral(":/icons/setup.svg")},
        {ID_VARIABLE_DATA, QStringLiteral("Фрагменты"), QStringLiteral(":/icons/fragments.svg")},
        {ID_COUNTERPARTY, QStringLiteral("Субъекты"), QStringLiteral(":/icons/parties.svg")},
        {ID_JOURNAL, QStringLiteral("Журнал"), QStringLiteral(":/icons/journal.svg")},
        {ID_STYLES, QStringLiteral("Стили"), QStringLiteral(":/icons/styles.svg")},
        {ID_HELP, QStringLiteral("Помощь"), QStringLiteral(":/icons/help.svg")},
        {ID_EXIT, QStringLiteral("Выход"), QStringLiteral(":/icons/exit.svg")},
    };
    return buttons;
}

const std::vector<AcceleratorSpec> &Accelerators128() {
    static const std::vector<AcceleratorSpec> keys = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_LIBRARY},
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_PRINT},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E), ID_OPEN_IN_BROWSER},
        {QKeySequence(Qt::Key_F1), ID_HELP},
        {QKeySequence(Qt::Key_F3), ID_SETUP_DATA},
        {QKeySequence(Qt::Key_F4), ID_VARIABLE_DATA},
        {QKeySequence(Qt::Key_F5), ID_COUNTERPARTY},
        {QKeySequence(Qt::Key_F7), ID_STYLES},
        {QKeySequence(Qt::Key_F8), ID_HIGHLIGHT},
        {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ID_CUT},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_CUT},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ID_PASTE},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_PASTE},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_UNDO},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_UNDO},
    };
    return keys;
}

} // namespace dravo
