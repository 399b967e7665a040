// The person forms are built in a reused buffer: a call allocates only for the forms too long to
// be kept inside a string, never for the work on the way.
#include "../core/allocation_probe.h"
#include "helpers.h"
#include "russian/declension.h"

#include <gtest/gtest.h>

namespace dravo {
namespace {

using test::W;

TEST(PersonFormsAllocations, OnlyForFormsTooLongForTheString) {
    const std::size_t inPlace = std::string().capacity();
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
        BuildPersonForms(surname, name, post); // the first call of a thread sets up its buffer
        long made = 0;
        PersonForms f;
        {
            AllocationProbe probe;
            f = BuildPersonForms(surname, name, post);
            made = probe.Count();
        }
        long longForms = 0;
        for (const std::string *s :
             {&f.surname, &f.namePatronymic, &f.post, &f.initials, &f.initialsSurname,
              &f.surnameGenitive, &f.surnameDative, &f.surnameAccusative, &f.namePatronymicGenitive,
              &f.namePatronymicDative, &f.namePatronymicAccusative, &f.postGenitive, &f.postDative,
              &f.fullNameGenitive})
            longForms += s->size() > inPlace;
        EXPECT_EQ(made, longForms) << p.surname << " " << p.namePatronymic << ", " << p.post;
    }
}

} // namespace
} // namespace dravo
