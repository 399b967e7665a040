#include "import/library_import.h"
#include "import/text_importer.h"

#include "core/body_io.h"
#include "core/fileio.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using namespace dravo;
using namespace dravo::import;
namespace fs = std::filesystem;

namespace {

// Lines and their classes. Texts are written in UTF-8 here and converted for the importer.
struct LineCase {
    const char *name;
    const char *line;
    std::size_t base;
    int lineClass;
    const char *text;
};

const LineCase kLines[] = {
    {"two-level number and dot", "1.1. Продавец обязуется", 0, kNumberedClause,
     "Продавец обязуется"},
    {"two-level number and space", "1.1 Продавец обязуется", 0, kNumberedClause,
     "Продавец обязуется"},
    {"two-digit article number", "10.1 Срок действия", 0, kNumberedClause, "Срок действия"},
    {"two-digit clause number", "1.10. Иные условия", 0, kNumberedClause, "Иные условия"},
    {"two two-digit numbers", "10.12. Иные условия", 0, kNumberedClause, "Иные условия"},
    {"three levels", "2.1.3. Подпункт", 0, kNumberedClause, "Подпункт"},
    {"short single number: heading", "3. Цена договора", 0, kHeading, "Цена договора"},
    {"long single number: clause",
     "3. Цена договора составляет сумму, указанную в спецификации к договору", 0, kNumberedClause,
     "Цена договора составляет сумму, указанную в спецификации к договору"},
    {"capitals", "ПРЕДМЕТ ДОГОВОРА", 0, kHeading, "ПРЕДМЕТ ДОГОВОРА"},
    {"numbered capitals keep the dot", "1. ПРЕДМЕТ ДОГОВОРА.", 0, kHeading, "ПРЕДМЕТ ДОГОВОРА."},
    {"capitals of six letters are not a heading", "ОБЩЕЕ", 0, kParagraphClause, "ОБЩЕЕ"},
    {"capitals with a blank to fill", "ПОДПИСЬ ____", 0, kParagraphClause, "ПОДПИСЬ ____"},
    {"roman number", "IV. Ответственность сторон", 0, kHeading, "Ответственность сторон"},
    {"ten spaces: centred heading", "          Общие положения", 0, kHeading, "Общие положения"},
    {"ten spaces past the base indent", "               Общие положения", 5, kHeading,
     "Общие положения"},
    {"ten spaces that are the base indent", "          Общие положения", 10, kParagraphClause,
     "Общие положения"},
    {"ten spaces in parentheses", "          (в редакции от 1 мая)", 0, kParagraphClause,
     "(в редакции от 1 мая)"},
    {"indented paragraph", "   Оплата производится в рублях.", 0, kParagraphClause,
     "Оплата производится в рублях."},
    {"plain line", "Оплата производится в рублях", 0, kParagraphClause,
     "Оплата производится в рублях"},
    {"letter and parenthesis", "а) первым платежом;", 0, kListItem, "первым платежом;"},
    {"number and parenthesis", "1) первым платежом;", 0, kListItem, "первым платежом;"},
    {"hyphen", "- вторым платежом.", 0, kListItem, "вторым платежом."},
    {"asterisk", "*вторым платежом", 0, kListItem, "вторым платежом"},
    {"bullet", "• вторым платежом", 0, kListItem, "вторым платежом"},
    {"year and a word", "2020 год начала", 0, kContinuation, "2020 год начала"},
    {"short line", "ит", 0, kContinuation, "ит"},
    {"dots at the end become one", "Текст пункта...", 0, kParagraphClause, "Текст пункта."},
};

TEST(ClassifyLine, TableOfLines) {
    for (const LineCase &c : kLines) {
        SCOPED_TRACE(c.name);
        const ClassifiedLine got = ClassifyLine(FromUtf8(c.line), c.base);
        EXPECT_EQ(got.lineClass, c.lineClass);
        EXPECT_EQ(ToUtf8(got.text), c.text);
    }
}

TEST(ClassifyLine, NumberReader) {
    EXPECT_EQ(ReadNumber("1.1. x"), 3);
    EXPECT_EQ(ReadNumber("1.1 x"), 3);
    EXPECT_EQ(ReadNumber("12.1 x"), 4);
    EXPECT_EQ(ReadNumber("1. x"), -2);
    EXPECT_EQ(ReadNumber("12. x"), -2);
    EXPECT_EQ(ReadNumber("2020 x"), -1);
    EXPECT_EQ(ReadNumber(FromUtf8("а.1. x")), -1);
    EXPECT_EQ(ReadNumber("1"), -1); // nothing read past the end
}

TEST(LineLabel, Shortened) {
    EXPECT_EQ(ToUtf8(LineLabel(FromUtf8("ПРЕДМЕТ  ДОГОВОРА"))), "Предмет договора");
    const std::string longLine(60, 'x');
    EXPECT_EQ(LineLabel(longLine), "X" + std::string(37, 'x') + "...");
}

std::string Contract(std::string_view preambleWords, std::string_view body) {
    return FromUtf8(std::string("ДОГОВОР ") + std::string(preambleWords) +
                    "\nзаключили договор о нижеследующем:\n" + std::string(body));
}

TEST(Import, PreambleTables) {
    struct Row {
        const char *preamble, *title, *kind, *user, *other;
    } rows[] = {
        {"КУПЛИ-ПРОДАЖИ Продавец и Покупатель", "ДОГОВОР", "купли-продажи", "Продавец",
         "Покупатель"},
        {"поставки: продавец, поставщик", "ДОГОВОР", "поставки", "Продавец", "Вторая сторона"},
        {"займа: Кредитор и Заемщик", "ДОГОВОР", "", "Кредитор", "Вторая сторона"},
        {"(СОГЛАШЕНИЕ) на оказание услуг: Исполнитель, Заказчик", "СОГЛАШЕНИЕ", "на оказание услуг",
         "Исполнитель", "Заказчик"},
        {"аренды: Арендодатель и Арендатор", "ДОГОВОР", "аренды", "Арендодатель", "Арендатор"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.preamble);
        TextContractImporter imp("x");
        ASSERT_TRUE(imp.SetText(Contract(r.preamble, "1.1. Текст\n")));
        ASSERT_TRUE(imp.Parse());
        const CBody &b = imp.Body();
        EXPECT_EQ(ToUtf8(b.Paragraph(ParTitle).m_strText), r.title);
        EXPECT_EQ(ToUtf8(b.Paragraph(ParSubtitle).m_strText), r.kind);
        EXPECT_EQ(ToUtf8(b.Paragraph(ParClauseText).m_strName), r.user);
        EXPECT_EQ(ToUtf8(b.Paragraph(ParClauseText).m_strText), r.other);
    }
}

TEST(Import, ArticlesAndClauses) {
    TextContractImporter imp("x");
    ASSERT_TRUE(imp.SetText(Contract("", "Вводный текст\n"
                                         "ОБЩИЕ ПОЛОЖЕНИЯ\r\n"
                                         "И ПРЕДМЕТ\n"
                                         "1.1. Первый пункт\n"
                                         "2020 год и далее\n"
                                         "- элемент\n"
                                         "2. ЦЕНА\n"
                                         "2.1. Цена\n"
                                         "10. АДРЕСА И РЕКВИЗИТЫ СТОРОН\n"
                                         "ООО Ромашка\n")));
    ASSERT_TRUE(imp.Parse());
    const CBody &b = imp.Body();
    ASSERT_EQ(b.ArticleCount(), 4u);
    // Lines before the first heading stay in the opening article.
    EXPECT_EQ(ToUtf8(b.Article(0).m_head.m_strName), "Начальный раздел");
    EXPECT_EQ(b.Article(0).m_head.m_strText, "");
    ASSERT_EQ(b.ClauseCount(0), 1u);
    EXPECT_EQ(ToUtf8(b.Clause(0, 0).m_strText), "Вводный текст");
    // Two capital lines make one heading; a year line goes on with the clause before it.
    EXPECT_EQ(ToUtf8(b.Article(1).m_head.m_strText), "ОБЩИЕ ПОЛОЖЕНИЯ И ПРЕДМЕТ");
    EXPECT_EQ(b.Article(1).m_head.m_nMark, 1);
    ASSERT_EQ(b.ClauseCount(1), 2u);
    EXPECT_EQ(ToUtf8(b.Clause(1, 0).m_strText), "Первый пункт 2020 год и далее");
    EXPECT_EQ(b.Clause(1, 0).m_nType, 3);
    EXPECT_EQ(b.Clause(1, 0).m_nMark, 0);
    EXPECT_EQ(b.Clause(1, 1).m_nType, 4);
    EXPECT_EQ(b.Clause(1, 1).m_nMark, 1);
    EXPECT_EQ(ToUtf8(b.Clause(1, 1).m_strText), "элемент");
    // The requisites heading is the last line taken.
    EXPECT_EQ(ToUtf8(b.Article(3).m_head.m_strText), "АДРЕСА И РЕКВИЗИТЫ СТОРОН");
    EXPECT_EQ(b.ClauseCount(3), 1u);
    EXPECT_EQ(b.Clause(3, 0).m_strText, "");
}

TEST(Import, FirstHeadingTakesAnEmptyOpeningArticle) {
    TextContractImporter imp("x");
    ASSERT_TRUE(imp.SetText(Contract("", "1. ПРЕДМЕТ\n1.1. Пункт\n")));
    ASSERT_TRUE(imp.Parse());
    ASSERT_EQ(imp.Body().ArticleCount(), 1u);
    EXPECT_EQ(ToUtf8(imp.Body().Article(0).m_head.m_strText), "ПРЕДМЕТ");
    EXPECT_EQ(imp.Body().Article(0).m_head.m_nMark, 0);
    EXPECT_EQ(ToUtf8(imp.Body().Clause(0, 0).m_strText), "Пункт");
}

TEST(Import, NotRecognised) {
    for (const std::string &text :
         {std::string(), std::string("ДОГОВОР\n1.1. Без преамбулы\n"), FromUtf8("о следующем")}) {
        TextContractImporter imp("x");
        imp.SetText(text);
        EXPECT_FALSE(imp.Parse());
    }
}

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("dravo_import_" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
    std::string Write(const std::string &name, const std::string &bytes) const {
        const std::string p = (path / name).string();
        std::string error;
        EXPECT_TRUE(WriteFileAtomically(p, bytes, error)) << error;
        return p;
    }
};

// A windows-1251 contract padded with spaces to exactly size bytes.
std::string ContractOfSize(std::size_t size) {
    std::string text = Contract("", "1. ПРЕДМЕТ\n1.1. Пункт\n");
    text.resize(size, ' ');
    return text;
}

TEST(Import, SizeLimitAndFiles) {
    TempDir dir;
    const std::string target = (dir.path / "out.adf").string();
    struct Row {
        const char *name;
        std::string bytes;
        bool done;
        std::vector<std::string_view> messages;
    } rows[] = {
        {"65535 bytes", ContractOfSize(65535), true, {}},
        {"65536 bytes", ContractOfSize(65536), false, {TooLargeMessage()}},
        {"a megabyte", ContractOfSize(1 << 20), false, {TooLargeMessage()}},
        {"empty", "", false, {}},
        {"binary",
         std::string("\x7F"
                     "ELF\0\0\x01",
                     7) +
             ContractOfSize(100),
         false,
         {}},
        {"UTF-8", ToUtf8(ContractOfSize(200)), true, {}},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + ToUtf8(ContractOfSize(200)), true, {}},
    };
    for (Row &r : rows) {
        SCOPED_TRACE(r.name);
        fs::remove(target);
        const std::string source = dir.Write("in.txt", r.bytes);
        const ImportOutcome out = ImportTextFile(source, target, "x");
        EXPECT_EQ(out.done, r.done);
        EXPECT_EQ(fs::exists(target), r.done);
        ASSERT_EQ(out.messages.size(), r.messages.size());
        for (std::size_t i = 0; i < r.messages.size(); ++i)
            EXPECT_EQ(out.messages[i], r.messages[i]);
        if (r.done) {
            CBody body;
            std::string error;
            ASSERT_TRUE(LoadBodyFile(target, body, error)) << error;
            EXPECT_EQ(ToUtf8(body.Article(0).m_head.m_strText), "ПРЕДМЕТ");
        }
    }
    const ImportOutcome missing = ImportTextFile((dir.path / "none.txt").string(), target, "x");
    EXPECT_FALSE(missing.recognised);
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_EQ(missing.messages[0], ReadErrorMessage());

    // A target that cannot be written is said, and is not reported as done.
    const std::string source = dir.Write("in.txt", ContractOfSize(200));
    const ImportOutcome blocked =
        ImportTextFile(source, (dir.path / "no" / "such" / "out.adf").string(), "x");
    EXPECT_TRUE(blocked.recognised);
    EXPECT_FALSE(blocked.done);
    ASSERT_EQ(blocked.messages.size(), 1u);
    EXPECT_EQ(blocked.messages[0], FileErrorMessage());
}

TEST(DecodeTextFile, Encodings) {
    const std::string cp = FromUtf8("ДОГОВОР поставки №1");
    std::string text;
    ASSERT_TRUE(DecodeTextFile(cp, text));
    EXPECT_EQ(text, cp);
    ASSERT_TRUE(DecodeTextFile(ToUtf8(cp), text));
    EXPECT_EQ(text, cp);
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t u : u"ДОГОВОР поставки №1") {
        if (!u)
            break;
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    ASSERT_TRUE(DecodeTextFile(le, text));
    EXPECT_EQ(text, cp);
    ASSERT_TRUE(DecodeTextFile(be, text));
    EXPECT_EQ(text, cp);
    EXPECT_FALSE(DecodeTextFile(std::string("a\0b", 3), text));
}

// A character windows-1251 lacks is refused with its line in every encoding, never replaced.
struct Refusal {
    const char *name;
    const char *utf8; // the text, UTF-8
    std::size_t line; // 0: the text fits
    char32_t refused;
};

const Refusal kRefusals[] = {
    {"emoji in the first line", "ДОГОВОР 😀\nПоставщик\nПокупатель", 1, 0x1F600},
    {"rouble sign in the last line", "ДОГОВОР\nПоставщик\nЦена 100 ₽", 3,
     0x20BD},
    {"sign in the middle after CR LF", "ДОГОВОР\r\nЦена ≥ 5\r\nконец", 2, 0x2265},
    {"after a lone CR", "ДОГОВОР\rЦена\r× 2", 3, 0xD7},
    {"last line without its end", "ДОГОВОР\n\n½", 3, 0xBD},
    {"euro, dashes and quotes fit", "Цена 5 € — «ровно» … №1", 0, 0},
};

// The same text in each encoding the importer reads.
std::string Encoded(const std::string &utf8, int encoding) {
    if (encoding == 0)
        return utf8;
    if (encoding == 1)
        return "\xEF\xBB\xBF" + utf8;
    const bool little = encoding == 2;
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    const auto unit = [&](char16_t u) {
        out += static_cast<char>(little ? u & 0xFF : u >> 8);
        out += static_cast<char>(little ? u >> 8 : u & 0xFF);
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = cp1251::DecodeUtf8(utf8, i);
        if (cp >= 0x10000) {
            unit(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            unit(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            unit(static_cast<char16_t>(cp));
        }
    }
    return out;
}

TEST(DecodeTextFile, RefusesWhatWindows1251LacksWithItsLine) {
    const char *encodings[] = {"UTF-8", "UTF-8 with a mark", "UTF-16 LE", "UTF-16 BE"};
    for (const Refusal &r : kRefusals) {
        for (int e = 0; e < 4; ++e) {
            std::string text = "kept", refusal;
            const bool decoded = DecodeTextFile(Encoded(r.utf8, e), text, &refusal);
            const std::string what = std::string(r.name) + ", " + encodings[e];
            if (r.line == 0) {
                EXPECT_TRUE(decoded) << what;
                EXPECT_EQ(text, FromUtf8(r.utf8)) << what;
                EXPECT_EQ(refusal, "") << what;
                continue;
            }
            EXPECT_FALSE(decoded) << what;
            EXPECT_EQ(text, "kept") << what;
            EXPECT_EQ(refusal, RefusedLineMessage(r.line, r.refused)) << what;
        }
    }
    // The message names the line and the character's code, in windows-1251.
    EXPECT_EQ(ToUtf8(RefusedLineMessage(3, 0x20BD)).rfind("Строка 3: Символ (U+20BD) нельзя", 0),
              0u);
    // A lone surrogate is no character either.
    std::string text, refusal;
    EXPECT_FALSE(DecodeTextFile(std::string("\xFF\xFE"
                                            "A\0\x00\xD8",
                                            6),
                                text, &refusal));
    EXPECT_EQ(refusal, RefusedLineMessage(1, 0xFFFD));
}

TEST(ImportTextFile, ARefusedCharacterWritesNothing) {
    TempDir dir;
    const std::string source =
        dir.Write("in.txt", ToUtf8(ContractOfSize(300)) + "\nИтого: 100 ₽\n");
    const std::string target = (dir.path / "out.adf").string();
    const ImportOutcome out = ImportTextFile(source, target, "x");
    EXPECT_FALSE(out.done);
    EXPECT_FALSE(out.recognised);
    EXPECT_TRUE(out.refused);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_NE(out.messages[0].find("U+20BD"), std::string::npos) << ToUtf8(out.messages[0]);
    EXPECT_FALSE(fs::exists(target));
}

TEST(LibraryImport, PlacesTheConvertedTemplate) {
    TempDir dir;
    for (const char *sub : {"Data", "Templates", "Registers"})
        fs::create_directories(dir.path / sub);
    library::FolderStore store(dir.path.string(), nullptr);
    library::Library lib(store);
    const library::NodeId folder =
        lib.Tree().Append(0, library::Element{library::kFolderClosed, "F", "F", "C:\\"});
    lib.Tree().Append(folder, library::Element{library::kTemplate, "T", "T", "C:\\"});
    lib.Tree().Select(folder);
    std::vector<std::string> shown;
    const auto convert =
        LibraryImportConverter(store, "", [&](std::string_view m) { shown.emplace_back(m); });

    const std::string source = dir.Write("c.txt", ContractOfSize(300));
    ASSERT_TRUE(lib.Import("T", source, convert).done);
    // The name of an existing element file gets " (копия)"; the template goes first into the
    // folder.
    ASSERT_TRUE(fs::exists(store.ElementPath(library::FileFolder::Templates, "T")));
    std::string copy = "T";
    copy += library::CopySuffix();
    ASSERT_TRUE(lib.Import("T", source, convert).done);
    EXPECT_TRUE(fs::exists(store.ElementPath(library::FileFolder::Templates, copy)));
    ASSERT_EQ(lib.Tree().Children(folder).size(), 3u);
    EXPECT_EQ(lib.Tree().Get(lib.Tree().Children(folder)[0]).element.name, "T");
    EXPECT_EQ(lib.Tree().Get(lib.Tree().Children(folder)[1]).element.name, copy);

    const std::string bad = dir.Write("bad.txt", "no contract here");
    const library::Outcome refused = lib.Import("B", bad, convert);
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(refused.message, library::ImportFailedMessage());
    EXPECT_FALSE(fs::exists(store.ElementPath(library::FileFolder::Templates, "B")));
    EXPECT_TRUE(shown.empty());

    // A character windows-1251 lacks: its message alone, not "not recognised" after it.
    const std::string rouble = dir.Write("r.txt", ToUtf8(ContractOfSize(300)) + "\n100 ₽\n");
    const library::Outcome told = lib.Import("R", rouble, convert);
    EXPECT_FALSE(told.done);
    EXPECT_EQ(told.message, "");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("U+20BD"), std::string::npos);
    EXPECT_FALSE(fs::exists(store.ElementPath(library::FileFolder::Templates, "R")));
}

TEST(LibraryImport, AFileThatCannotBeStoredIsToldAsSuch) {
    TempDir dir;
    fs::create_directories(dir.path / "Data");
    dir.Write("Templates", "a file where the folder should be");
    library::FolderStore store(dir.path.string(), nullptr);
    library::Library lib(store);
    lib.Tree().Select(
        lib.Tree().Append(0, library::Element{library::kFolderClosed, "F", "F", "C:\\"}));
    std::vector<std::string> shown;
    const auto convert =
        LibraryImportConverter(store, "", [&](std::string_view m) { shown.emplace_back(m); });
    const library::Outcome out = lib.Import("T", dir.Write("c.txt", ContractOfSize(300)), convert);
    // The text was recognised: the user hears why nothing was stored, and nothing else.
    EXPECT_FALSE(out.done);
    EXPECT_EQ(out.message, "");
    EXPECT_EQ(shown, std::vector<std::string>{std::string(FileErrorMessage())});
    EXPECT_EQ(lib.Tree().Size(), 1u);
}

} // namespace
