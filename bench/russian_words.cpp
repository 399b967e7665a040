// Throughput of the two services every page build calls most: amounts in words and the
// declined forms of a party's representative. Inputs are generated up front so that only the
// calls are timed; items_per_second is the calls per second.
#include "core/text.h"
#include "russian/declension.h"
#include "russian/numbers.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace dravo;

constexpr std::size_t kCalls = 1000000;

const std::vector<std::string> &Amounts() {
    static const std::vector<std::string> amounts = [] {
        std::mt19937_64 rng(20041206);
        std::uniform_int_distribution<long long> whole(0, 999999999999LL);
        std::uniform_int_distribution<int> cents(0, 99);
        std::vector<std::string> out;
        out.reserve(kCalls);
        for (std::size_t i = 0; i < kCalls; ++i) {
            const int c = cents(rng);
            out.push_back(std::to_string(whole(rng)) + (c < 10 ? ".0" : ".") + std::to_string(c));
        }
        return out;
    }();
    return amounts;
}

struct Person {
    std::string surname, namePatronymic, post;
};

const std::vector<Person> &People() {
    static const std::vector<Person> people = [] {
        const char *surnames[] = {"Иванов",  "Петрова", "Сидоров",       "Достоевский", "Толстая",
                                  "Шмидт",   "Гоголь",  "Петров-Водкин", "Белых",       "Кузнецова",
                                  "Могучий", "Рева",    "Скворец",       "Лисицына",    "Черных"};
        const char *men[] = {"Иван Иванович",
                             "Игорь Петрович",
                             "Павел Сергеевич",
                             "Максим Олегович",
                             "Пётр Ильич",
                             "Сергей Андреевич",
                             "И.И."};
        const char *women[] = {"Мария Ивановна", "Ольга Петровна", "Анна Сергеевна",
                               "Наталья Олеговна", "Любовь Андреевна"};
        const char *posts[] = {"Генеральный директор",
                               "Директор, действует на основании Устава",
                               "Главный бухгалтер",
                               "Глава",
                               "заведующий складом",
                               "Председатель правления",
                               "Индивидуальный предприниматель",
                               ""};
        std::mt19937 rng(1251);
        std::vector<Person> out;
        out.reserve(kCalls);
        for (std::size_t i = 0; i < kCalls; ++i) {
            const bool man = rng() % 2 == 0;
            out.push_back(
                {FromUtf8(surnames[rng() % std::size(surnames)]),
                 FromUtf8(man ? men[rng() % std::size(men)] : women[rng() % std::size(women)]),
                 FromUtf8(posts[rng() % std::size(posts)])});
        }
        return out;
    }();
    return people;
}

void BM_NumberInWords(benchmark::State &state) {
    const auto &amounts = Amounts();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumberInWords(amounts[i], Cardinal));
        if (++i == amounts.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NumberInWords)->Iterations(kCalls);

void BM_NumberInWordsOrdinals(benchmark::State &state) {
    const std::string days[] = {"01", "06", "13", "22", "31"};
    const std::string years[] = {"2004", "2010", "2001", "2023", "1999"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumberInWords(days[i % 5], OrdinalNeuter));
        benchmark::DoNotOptimize(NumberInWords(years[i % 5], OrdinalGenitive));
        ++i;
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_NumberInWordsOrdinals);

void BM_BuildPersonForms(benchmark::State &state) {
    const auto &people = People();
    std::size_t i = 0;
    for (auto _ : state) {
        const Person &p = people[i];
        benchmark::DoNotOptimize(BuildPersonForms(p.surname, p.namePatronymic, p.post));
        if (++i == people.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildPersonForms)->Iterations(kCalls);

} // namespace
