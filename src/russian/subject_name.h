// Case forms, gender and number of the subject's common name ("автомобиль", "оборудование"),
// read by the page commands "предмет!", "предмета", "предмету", "предмет", "предметом",
// "предмете" and "Предмет!". Text is windows-1251.
#pragma once

#include <string>
#include <string_view>

namespace dravo {

struct SubjectNameForms {
    int gender = 0; // 0 neuter, 1 masculine, 2 feminine
    int plural = 0; // 1 when the name is plural
    char lastLetter = 0;
    std::string name; // trimmed; "<не определено>" when empty
    std::string genitive;
    std::string dative;
    std::string accusative;
    std::string instrumental;
    std::string prepositional;
    std::string capitalized; // first letter upper case

    // Stores the name and derives every other field from its ending.
    void SetSubjectName(std::string_view newName);
};

} // namespace dravo
