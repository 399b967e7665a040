// The template library's behaviour without a window: the name rules, adding, importing,
// removing, changing and moving elements, and what opening the chosen element means. The
// library dialog and `dravo-cli library` drive it; texts are windows-1251.
#pragma once

#include "library/store.h"
#include "library/tree.h"

#include <functional>
#include <string>
#include <string_view>

namespace dravo::library {

// The messages of the library.
std::string_view BadCharactersMessage(); // the character test
std::string_view TooLongMessage();       // more than 64 characters
std::string_view NotFoundMessage(); // "Файл с библиотекой шаблонов не найден"
std::string_view DamagedMessage();
std::string_view ImportFailedMessage();
std::string_view ImportPlaceMessage();
std::string_view FileErrorMessage(); // "Ошибка при открытии файла"
// "Документ "name" уже существует в библиотеке.\nЭтот документ вначале нужно удалить."
std::string AlreadyExistsMessage(const std::string &name);

inline constexpr std::size_t kMaxNameLength = 64;
inline constexpr std::size_t kImportNameLength = 55;

// Trims leading white space from name and checks it: empty when the name may be used, else the
// message that refuses it (the character test comes first). An empty name passes.
std::string_view CheckName(std::string &name);
// "Новый договор" for a template, "Новая папка" for a folder.
std::string_view DefaultName(int image);
// " шаблон ", " журнал ", " дело " (empty for a folder).
std::string_view Label(int image);
// The question asked before removing an element of this image.
std::string DeleteQuestion(int image);
FileFolder FolderOf(int image);
// The name with every " (копия)" removed.
std::string WithoutCopyMarks(std::string name);
std::string_view CopySuffix(); // " (копия)"

// What a converter made of a text file.
enum class Conversion {
    Done,          // the template is stored at its library path
    NotRecognised, // the library says so
    Refused,       // the converter has told the user why already (a character the text may not
                   // hold, a template file that could not be written)
};

// Turns the text file at source into the template called name, stored at its library path.
// The plain-text importer plugs in here.
using ImportConverter =
    std::function<Conversion(const std::string &source, const std::string &name)>;

// The result of an operation: done, or the message to show. nameRefused says the name broke a
// rule, so the dialog that asked for it stays open.
struct Outcome {
    bool done = false;
    std::string message;
    bool nameRefused = false;
};

// What opening the chosen element comes to.
struct OpenPlan {
    enum Action { Nothing, OpenFile, CreateFile } action = Nothing;
    int documentKind = 1; // 1 template, 2 journal, 4 case (for OpenFile of a journal or
                          // case the kind stored in the file rules)
    FileFolder folder = FileFolder::Templates;
    std::string name;
};

class Library {
  public:
    explicit Library(LibraryStore &store) : m_store(store) {}

    LibraryTree &Tree() { return m_tree; }
    const LibraryTree &Tree() const { return m_tree; }
    LibraryStore &Store() { return m_store; }

    // Reads the library file into the tree and selects the first root item. A missing file gives
    // the not-found message, a damaged one its message; either leaves the tree empty.
    std::string Load();
    // Writes the tree back. The file is never created: with none there, the not-found message
    // and nothing is written. A file found damaged on loading is kept beside the new one.
    std::string Save();

    struct NewElement {
        std::string name;
        std::string description;
        int image = kTemplate; // the dialog makes templates and folders; scripts any kind
        bool inside = true;    // "Создать внутри текущей папки"
    };
    // Adds an element at the selection and selects it.
    Outcome Add(NewElement element);
    // The name an imported file with this title gets: its first 55 characters, with " (копия)"
    // added while an element file of that name exists (the importer never overwrites one).
    std::string ImportName(const std::string &title) const;
    // Converts source into a template and places it at the selection. Without a selection the
    // converted file stays and no element is added.
    Outcome Import(const std::string &title, const std::string &source,
                   const ImportConverter &convert);

    // Removes the item from the tree only (a folder with everything under it).
    void Exclude(NodeId id);
    // Removes an element with its file and, for a journal or case, its journal table.
    Outcome Delete(NodeId id);
    // The file part of Delete, for a shell that removes the item first and the file later (the
    // element's document was open).
    struct FileDeletion {
        int image = kTemplate;
        std::string name;
    };
    FileDeletion PlanDeletion(NodeId id) const;
    Outcome DeleteFiles(const FileDeletion &what);

    // Gives the item a new name and description. An element's file (and journal table) is
    // copied when other elements share the old name, renamed otherwise; renamed is then called
    // so an open document follows.
    Outcome Change(NodeId id, std::string name, std::string description);
    std::function<void(const std::string &oldName, const std::string &newName, FileFolder folder)>
        renamed;

    // Drag and drop: a folder goes right after the target under the target's parent with its
    // subtree, never into itself; an element goes after an element, or first into a folder.
    bool CanDrop(NodeId source, NodeId target) const;
    bool Drop(NodeId source, NodeId target);

    // Shows a folder open (image 3, expanded) or closed (image 0).
    void SetFolderOpen(NodeId id, bool open);

    // The chosen element and what opening it does (nothing for a folder or no choice).
    OpenPlan PlanOpen(NodeId id) const;

  private:
    // Places a new element at the selection as Add does and selects it.
    NodeId PlaceAtSelection(Element element, bool inside);
    void SelectNeighbourOf(NodeId id);
    void CloseIfEmpty(NodeId folder);

    LibraryStore &m_store;
    LibraryTree m_tree;
    bool m_damaged = false;
    std::string m_damagedBytes;
};

} // namespace dravo::library
