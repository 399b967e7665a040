// The person forms are written into one buffer: a call allocates once at most, whatever the
// length of the forms, and never for the work on the way.
#include "../core/allocation_probe.h"
#include "helpers.h"
#include "russian/declension.h"

#include <gtest/gtest.h>

namespace dravo {
namespace {

using test::W;

TEST(PersonFormsAllocations, OneBufferForAllTheForms) {
    struct Person {
        const char *surname, *namePatronymic, *post;
    };
    const Person people[] = {
        {"Иванов", "Иван Иванович", "Генеральный директор"},
        {"Петрова-Водкина", "Наталья Олеговна", "Директор, действует на основании Устава"},
        {"Достоевский", "Сергей Андреевич", "заведующий складом"},
        {"Шмидт", "И.И.", "Старший научный сотрудник"},
        {"Рева", "Любовь Андреевна", "Глава администрации"},
        {"", "", ""},
    };
    for (const Person &p : people) {
        const std::string surname = W(p.surname), name = W(p.namePatronymic), post = W(p.post);
        long made = 0;
        PersonForms f;
        {
            AllocationProbe probe;
            f = BuildPersonForms(surname, name, post);
            made = probe.Count();
        }
        EXPECT_LE(made, 1) << p.surname << " " << p.namePatronymic << ", " << p.post;
        // The forms are whole after the buffer is copied and the original gone.
        const PersonForms copy = PersonForms(f);
        f = PersonForms();
        EXPECT_EQ(copy.fullNameGenitive(),
                  BuildPersonForms(surname, name, post).fullNameGenitive());
    }
}

} // namespace
} // namespace dravo
