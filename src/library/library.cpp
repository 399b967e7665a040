#include "library.h"

#include "library/ltr_file.h"

#include "core/text.h"

namespace dravo::library {

using namespace dravo::literals;

std::string_view BadCharactersMessage() {
    return "Название элемента библиотеки не должно содержать следующих символов:\n\n . : ! ? | * ' \" [ ] \\ / < >"_w;
}
std::string_view TooLongMessage() {
    return "Название элемента библиотеки не должно содержать более 64-х симоволов"_w;
}
std::string_view NotFoundMessage() {
    return "Файл с библиотекой шаблонов не найден"_w;
}
std::string_view DamagedMessage() {
    return "Файл с библиотекой шаблонов поврежден.\nБиблиотека открыта пустой; прежний файл будет "
           "сохранен рядом под именем ltr.dat.damaged-<дата>-<время>."_w;
}
std::string_view ImportFailedMessage() {
    return "Не распознаны структура или формат текста договора"_w;
}
std::string_view ImportPlaceMessage() {
    return "Укажите место расположения нового шаблона"_w;
}
std::string_view FileErrorMessage() {
    return "Ошибка при открытии файла"_w;
}
std::string AlreadyExistsMessage(const std::string &name) {
    return std::string("Документ "_w) + '"' + name + '"' +
           std::string(" уже существует в библиотеке.\nЭтот документ вначале нужно удалить."_w);
}
std::string_view CopySuffix() {
    return " (копия)"_w;
}

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void TrimLeading(std::string &text) {
    std::size_t n = 0;
    while (n < text.size() && IsBlank(text[n]))
        ++n;
    text.erase(0, n);
}

// The file operation's reason after the program's own message.
std::string FileFailure(const std::string &reason) {
    return std::string(FileErrorMessage()) + "\n" + reason;
}
} // namespace

std::string_view CheckName(std::string &name) {
    TrimLeading(name);
    if (name.find_first_of(".:!?|*'\"[]\\/<>") != std::string::npos)
        return BadCharactersMessage();
    if (name.size() > kMaxNameLength)
        return TooLongMessage();
    return {};
}

std::string_view DefaultName(int image) {
    return IsFolder(image) ? "Новая папка"_w : "Новый договор"_w;
}

std::string_view Label(int image) {
    switch (image) {
    case kTemplate:
        return " шаблон "_w;
    case kJournal:
        return " журнал "_w;
    case kCase:
        return " дело "_w;
    default:
        return {};
    }
}

std::string DeleteQuestion(int image) {
    if (IsFolder(image))
        return std::string("\n   Исключить папку из библиотеки?"_w);
    return std::string("Удалить"_w) + std::string(Label(image)) +
           std::string("или только исключить\nего из библиотеки?"_w);
}

FileFolder FolderOf(int image) {
    return image == kJournal || image == kCase ? FileFolder::Registers : FileFolder::Templates;
}

std::string WithoutCopyMarks(std::string name) {
    const std::string_view mark = CopySuffix();
    for (std::size_t at; (at = name.find(mark)) != std::string::npos;)
        name.erase(at, mark.size());
    return name;
}

// Loading and storing ---------------------------------------------------------------------

std::string Library::Load() {
    m_tree.Clear();
    m_damaged = false;
    m_damagedBytes.clear();
    std::string bytes, error;
    if (!m_store.ReadLibraryFile(bytes, error))
        return std::string(NotFoundMessage());
    if (!ReadLibrary(bytes, m_tree)) {
        m_damaged = true;
        m_damagedBytes = std::move(bytes);
        return std::string(DamagedMessage());
    }
    if (!m_tree.Children(0).empty())
        m_tree.Select(m_tree.Children(0).front());
    return {};
}

std::string Library::Save() {
    if (!m_store.LibraryFileExists())
        return std::string(NotFoundMessage());
    std::string error;
    if (m_damaged) {
        if (!m_store.KeepDamagedLibraryFile(m_damagedBytes, error))
            return FileFailure(error);
        m_damaged = false;
        m_damagedBytes.clear();
    }
    if (!m_store.WriteLibraryFile(StoreLibrary(m_tree), error))
        return FileFailure(error);
    return {};
}

// Adding -------------------------------------------------------------------------------------

NodeId Library::PlaceAtSelection(Element element, bool inside) {
    const NodeId s = m_tree.Selected();
    NodeId id = 0;
    if (s == 0) {
        id = m_tree.Append(0, std::move(element));
    } else if (inside && IsFolder(m_tree.Get(s).element.image)) {
        id = m_tree.InsertFirstChild(s, std::move(element));
        SetFolderOpen(s, true);
    } else {
        id = m_tree.InsertAfter(s, std::move(element));
    }
    m_tree.Select(id);
    return id;
}

Outcome Library::Add(NewElement in) {
    Outcome out;
    const int image = IsKnownImage(in.image) ? in.image : kTemplate;
    if (const std::string_view refusal = CheckName(in.name); !refusal.empty()) {
        out.message = refusal;
        out.nameRefused = true;
        return out;
    }
    if (in.name.empty())
        in.name = DefaultName(image);
    TrimLeading(in.description);
    if (in.description.empty())
        in.description = in.name;
    // A template named like an element whose file exists gets a copy of that file.
    if (image == kTemplate && m_tree.CountElementsNamed(in.name) > 0 &&
        m_store.ElementFileExists(in.name)) {
        const std::string copy = in.name + std::string(CopySuffix());
        std::string error;
        if (m_store.FileExists(FileFolder::Templates, in.name) &&
            !m_store.CopyFile(FileFolder::Templates, in.name, copy, error)) {
            out.message = FileFailure(error);
            return out;
        }
        in.name = copy;
    }
    PlaceAtSelection(Element{image, in.name, in.description, kDefaultLocation}, in.inside);
    out.done = true;
    return out;
}

std::string Library::ImportName(const std::string &title) const {
    std::string name = title.substr(0, kImportNameLength);
    for (int guard = 0; guard < 16 && m_store.ElementFileExists(name); ++guard)
        name += CopySuffix();
    return name;
}

Outcome Library::Import(const std::string &title, const std::string &source,
                        const ImportConverter &convert) {
    Outcome out;
    if (title.empty() || source.empty())
        return out;
    const std::string name = ImportName(title);
    const Conversion converted = convert ? convert(source, name) : Conversion::NotRecognised;
    if (converted != Conversion::Done) {
        if (converted == Conversion::NotRecognised)
            out.message = ImportFailedMessage();
        return out;
    }
    const NodeId s = m_tree.Selected();
    if (s == 0) {
        out.message = ImportPlaceMessage();
        return out;
    }
    Element element{kTemplate, name, WithoutCopyMarks(name), kDefaultLocation};
    NodeId id = 0;
    if (!m_tree.Get(s).children.empty()) {
        id = m_tree.InsertFirstChild(s, std::move(element));
        SetFolderOpen(s, true);
    } else {
        id = m_tree.InsertAfter(s, std::move(element));
    }
    m_tree.Select(id);
    out.done = true;
    return out;
}

// Removing -----------------------------------------------------------------------------------

void Library::SelectNeighbourOf(NodeId id) {
    const NodeId parent = m_tree.Parent(id);
    const std::vector<NodeId> &siblings = m_tree.Children(parent);
    const std::size_t at = m_tree.IndexInParent(id);
    if (at + 1 < siblings.size())
        m_tree.Select(siblings[at + 1]);
    else if (at > 0)
        m_tree.Select(siblings[at - 1]);
    else
        m_tree.Select(parent);
}

void Library::CloseIfEmpty(NodeId folder) {
    if (m_tree.Contains(folder) && m_tree.Children(folder).empty())
        SetFolderOpen(folder, false);
}

void Library::Exclude(NodeId id) {
    if (!m_tree.Contains(id))
        return;
    if (m_tree.IsWithin(m_tree.Selected(), id))
        SelectNeighbourOf(id);
    const NodeId parent = m_tree.Parent(id);
    m_tree.Remove(id);
    CloseIfEmpty(parent);
}

Library::FileDeletion Library::PlanDeletion(NodeId id) const {
    const Element &e = m_tree.Get(id).element;
    return {e.image, e.name};
}

Outcome Library::DeleteFiles(const FileDeletion &what) {
    Outcome out;
    out.done = true;
    if (IsFolder(what.image))
        return out;
    const FileFolder folder = FolderOf(what.image);
    std::string error;
    if (m_store.FileExists(folder, what.name) && !m_store.RemoveFile(folder, what.name, error)) {
        out.done = false;
        out.message = FileFailure(error);
    }
    JournalTables *tables = folder == FileFolder::Registers ? m_store.Tables() : nullptr;
    if (tables && tables->Exists(TrimmedName(what.name)) &&
        !tables->Drop(TrimmedName(what.name), error)) {
        out.done = false;
        out.message += (out.message.empty() ? "" : "\n") + error;
    }
    return out;
}

Outcome Library::Delete(NodeId id) {
    if (!m_tree.Contains(id))
        return {};
    const FileDeletion what = PlanDeletion(id);
    Exclude(id);
    return DeleteFiles(what);
}

// Changing -----------------------------------------------------------------------------------

Outcome Library::Change(NodeId id, std::string name, std::string description) {
    Outcome out;
    if (!m_tree.Contains(id))
        return out;
    if (const std::string_view refusal = CheckName(name); !refusal.empty()) {
        out.message = refusal;
        out.nameRefused = true;
        return out;
    }
    Element &e = m_tree.Edit(id);
    if (name.empty())
        name = DefaultName(e.image);
    TrimLeading(description);
    if (description.empty())
        description = name;
    if (!IsFolder(e.image) && name != e.name) {
        const FileFolder folder = FolderOf(e.image);
        const bool journal = folder == FileFolder::Registers;
        if (m_store.ElementFileExists(name)) {
            out.message = AlreadyExistsMessage(name);
            return out;
        }
        const bool shared = m_tree.CountElementsNamed(e.name) > 1;
        const bool hasFile = m_store.FileExists(folder, e.name);
        std::string error;
        JournalTables *tables = journal ? m_store.Tables() : nullptr;
        if (tables && !tables->Exists(TrimmedName(e.name)))
            tables = nullptr;
        if (shared) {
            if ((hasFile && !m_store.CopyFile(folder, e.name, name, error)) ||
                (tables && !tables->Copy(TrimmedName(e.name), TrimmedName(name), error))) {
                out.message = FileFailure(error);
                return out;
            }
        } else {
            if ((hasFile && !m_store.RenameFile(folder, e.name, name, error)) ||
                (tables && !tables->Rename(TrimmedName(e.name), TrimmedName(name), error))) {
                out.message = FileFailure(error);
                return out;
            }
            if (renamed)
                renamed(e.name, name, folder);
        }
    }
    e.name = std::move(name);
    e.description = std::move(description);
    out.done = true;
    return out;
}

// Moving -------------------------------------------------------------------------------------

bool Library::CanDrop(NodeId source, NodeId target) const {
    if (!m_tree.Contains(source) || !m_tree.Contains(target) || source == target)
        return false;
    return !(IsFolder(m_tree.Get(source).element.image) && m_tree.IsWithin(target, source));
}

bool Library::Drop(NodeId source, NodeId target) {
    if (!CanDrop(source, target))
        return false;
    const NodeId oldParent = m_tree.Parent(source);
    if (!IsFolder(m_tree.Get(source).element.image) && IsFolder(m_tree.Get(target).element.image)) {
        m_tree.MoveFirstChild(source, target);
        SetFolderOpen(target, true);
    } else {
        m_tree.MoveAfter(source, target);
    }
    CloseIfEmpty(oldParent); // an emptied folder shows closed
    m_tree.Select(source);
    return true;
}

void Library::SetFolderOpen(NodeId id, bool open) {
    if (!m_tree.Contains(id) || !IsFolder(m_tree.Get(id).element.image))
        return;
    m_tree.Edit(id).image = open ? kFolderOpen : kFolderClosed;
    m_tree.SetExpanded(id, open);
}

// Opening ------------------------------------------------------------------------------------

OpenPlan Library::PlanOpen(NodeId id) const {
    OpenPlan plan;
    if (!m_tree.Contains(id))
        return plan;
    const Element &e = m_tree.Get(id).element;
    if (IsFolder(e.image))
        return plan;
    plan.folder = FolderOf(e.image);
    plan.name = e.name;
    plan.documentKind = e.image == kTemplate ? 1 : e.image == kJournal ? 2 : 4;
    plan.action =
        m_store.FileExists(plan.folder, e.name) ? OpenPlan::OpenFile : OpenPlan::CreateFile;
    return plan;
}

} // namespace dravo::library
