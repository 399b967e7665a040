// Command ids of the window program, its status-bar prompts and the rules that gray commands by
// the kind of the active document. UI-free so that tests read the tables directly.
#pragma once

#include <QString>

namespace dravo {

enum CommandId : int {
    ID_TIP_OF_THE_DAY = 104,
    ID_MAIL = 212,
    ID_WEB_SITE = 214,
    ID_NETWORK = 215,
    ID_FONT = 2001,
    ID_PARAGRAPH = 2002,
    ID_USER_REQUISITES = 2003,
    ID_SETUP_DATA = 2004,
    ID_COUNTERPARTY = 2005,
    ID_VARIABLE_DATA = 2007,
    ID_PAGE_SETUP = 2008,
    ID_STYLES = 2011,
    ID_OPEN_IN_WORD = 2042,
    ID_JOURNAL = 2052,
    ID_REGISTER = 2054,
    ID_SUBJECT = 2057,
    ID_HIGHLIGHT = 2058,
    ID_JOURNAL_PARAMETERS = 2067,
    ID_LIBRARY = 2069,
    ID_TOOLBAR_TEXT = 2071,
    ID_OPEN_IN_BROWSER = 2073,
    ID_SAVE_PDF = 2074,
    ID_FRAGMENT_FIRST = 10000,
    ID_FRAGMENT_LAST = 30000,
    ID_FILE_NEW = 57600,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_PRINT_SETUP = 57606,
    ID_PRINT = 57607,
    ID_PRINT_PREVIEW = 57609,
    ID_COPY = 57634,
    ID_CUT = 57635,
    ID_PASTE = 57637,
    ID_UNDO = 57643,
    ID_NEW_WINDOW = 57648,
    ID_CASCADE = 57650,
    ID_TILE = 57651,
    ID_ABOUT = 57664,
    ID_EXIT = 57665,
    ID_HELP = 57667,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_FIRST_MDI_CHILD = 65280, // the window list of the window menu: 65280 + position
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUSBAR = 59393,
};

// Document kinds.
enum DocumentKind : int {
    RegisteredDocument = 0,
    TemplateDocument = 1,
    JournalDocument = 2,
    StoredFileDocument = 3,
    CaseDocument = 4,
};

// The string-table text of a command: the status-bar prompt, then after a line feed the tooltip.
// Empty for commands without one.
QString CommandPrompt(int id);
// The part before the line feed (status bar) and the part after it (tooltip).
QString StatusPrompt(int id);
QString ToolTipText(int id);

// True when the command's menu item is grayed while a document of this kind is active (applied
// when a popup opens; accelerators and toolbar buttons follow ActionForKind instead).
bool GrayedForKind(int id, int activeKind);

// The command whose behaviour runs when id is given while a document of this kind is active:
// id itself, another command where the command table gives the kind another action (F3 on a
// journal opens the journal parameters), or 0 when the command does nothing for that kind.
int ActionForKind(int id, int activeKind);

// True when this build of the program carries the command's behaviour; commands whose dialogs
// have not been written yet stay in their menus, grayed.
bool CommandImplemented(int id);

} // namespace dravo
