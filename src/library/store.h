// What the library reaches outside its tree: the element files under the templates root, the
// library file itself, and the journal tables of journals and cases. The window program and
// dravo-cli pass their own; tests use a temporary folder.
#pragma once

#include <memory>
#include <string>

namespace dravo::library {

// The folder of an element's file: "Templates" for templates, "Registers" for journals and cases.
enum class FileFolder { Templates, Registers };

// The journal tables of the reference database, one per journal or case, named like it.
class JournalTables {
  public:
    virtual ~JournalTables() = default;
    virtual bool Exists(const std::string &name) = 0;
    virtual bool Copy(const std::string &from, const std::string &to, std::string &error) = 0;
    virtual bool Rename(const std::string &from, const std::string &to, std::string &error) = 0;
    virtual bool Drop(const std::string &name, std::string &error) = 0;
};

// Names are windows-1251 text and are trimmed of white space at both ends before they make a
// file name.
class LibraryStore {
  public:
    virtual ~LibraryStore() = default;

    virtual bool FileExists(FileFolder folder, const std::string &name) const = 0;
    // Never replaces an existing file; false with the reason when the copy fails.
    virtual bool CopyFile(FileFolder folder, const std::string &from, const std::string &to,
                          std::string &error) = 0;
    virtual bool RenameFile(FileFolder folder, const std::string &from, const std::string &to,
                            std::string &error) = 0;
    virtual bool RemoveFile(FileFolder folder, const std::string &name, std::string &error) = 0;

    // The library file. Read fails when the file is missing or unreadable.
    virtual bool ReadLibraryFile(std::string &bytes, std::string &error) const = 0;
    virtual bool LibraryFileExists() const = 0;
    // Replaces the library file through the safe save.
    virtual bool WriteLibraryFile(const std::string &bytes, std::string &error) = 0;
    // Keeps a damaged library file's bytes beside it before it is replaced.
    virtual bool KeepDamagedLibraryFile(const std::string &bytes, std::string &error) = 0;

    // The journal tables, or nothing when there is no database to change.
    virtual JournalTables *Tables() = 0;

    // True when the template file or, failing that, the journal file of the name exists.
    bool ElementFileExists(const std::string &name) const {
        return FileExists(FileFolder::Templates, name) || FileExists(FileFolder::Registers, name);
    }
};

// The store over a templates root folder on disk: Templates/<name>.adf, Registers/<name>.adf and
// Data/ltr.dat. Paths are UTF-8 on disk.
class FolderStore : public LibraryStore {
  public:
    // root is the templates root as a UTF-8 path; tables may be null.
    FolderStore(std::string root, JournalTables *tables);

    // The path of an element's file, as UTF-8.
    std::string ElementPath(FileFolder folder, const std::string &name) const;
    std::string LibraryPath() const;

    bool FileExists(FileFolder folder, const std::string &name) const override;
    bool CopyFile(FileFolder folder, const std::string &from, const std::string &to,
                  std::string &error) override;
    bool RenameFile(FileFolder folder, const std::string &from, const std::string &to,
                    std::string &error) override;
    bool RemoveFile(FileFolder folder, const std::string &name, std::string &error) override;
    bool ReadLibraryFile(std::string &bytes, std::string &error) const override;
    bool LibraryFileExists() const override;
    bool WriteLibraryFile(const std::string &bytes, std::string &error) override;
    bool KeepDamagedLibraryFile(const std::string &bytes, std::string &error) override;
    JournalTables *Tables() override { return m_tables; }

  private:
    std::string m_root;
    JournalTables *m_tables;
};

// A name without white space at either end (the file name of an element).
std::string TrimmedName(const std::string &name);

} // namespace dravo::library
