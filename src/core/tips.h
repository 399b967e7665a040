// The tip of the day: short hints read in turn from a text file ("Data/tips.txt", windows-1251).
// Lines that start with a tab, a space, a line feed or ";" are blank lines or comments; every
// other line is one tip of at most 999 characters (a longer line gives the rest as the next tip).
// The place in the file and the file's time stamp are kept by the caller between runs.
#pragma once

#include <cstdio>
#include <string>

namespace dravo {

// The remembered state, stored by the program in its settings (section "Tip").
struct TipSettings {
    int startUp = 0;       // "StartUp": 0 = show at start-up, 1 = do not
    long long filePos = 0; // "FilePos": where the next tip is read
    std::string timeStamp; // "TimeStamp": the file's modification time as text
};

class CTipReader {
  public:
    static constexpr std::size_t kMaxTip = 999;

    CTipReader() = default;
    CTipReader(const CTipReader &) = delete;
    CTipReader &operator=(const CTipReader &) = delete;
    ~CTipReader();

    // Opens the file and returns the tip to show first (or the message that replaces it). A file
    // whose time stamp differs from the remembered one starts again from its first tip, and the
    // new stamp is written into settings.
    std::string Open(const std::string &path, TipSettings &settings);
    // The next tip, going back to the first one after the last. A file without a single tip
    // gives the read-error message after one full pass.
    std::string Next();
    bool IsOpen() const { return m_file != nullptr; }
    // Stores where the next tip starts and closes the file; settings are left alone when no file
    // is open.
    void Close(TipSettings &settings);

    // The modification time in the C library's text form, trailing white space removed; empty when
    // the file cannot be examined.
    static std::string FileTimeText(const std::string &path);
    static std::string MissingFileMessage(); // windows-1251
    static std::string ReadErrorMessage();   // windows-1251

  private:
    std::FILE *m_file = nullptr;
};

} // namespace dravo
