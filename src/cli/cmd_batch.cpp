// dravo-cli batch: one contract per row of a CSV table, from one template.
#include "cli/command.h"
#include "cli/contract_data.h"
#include "core/fileio.h"
#include "core/text.h"
#include "textgen/batch.h"
#include "textgen/rtf.h"

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace dravo::cli {
namespace {

constexpr std::string_view kUsage =
    "TEMPLATE.adf DATA.csv --out DIR [--format html|rtf] [--root DIR]  (columns: variables, "
    "номер, дата, контрагент, файл)";

// Writes the files on a few threads: each file is saved safely (flushed to disk before it takes
// its name), and the waits for the disk overlap instead of adding up.
class Writers {
  public:
    explicit Writers(unsigned count) {
        for (unsigned i = 0; i < count; ++i)
            m_threads.emplace_back([this] { Work(); });
    }
    ~Writers() { Finish(); }

    void Add(std::size_t row, std::string path, std::string bytes) {
        std::unique_lock lock(m_mutex);
        m_room.wait(lock, [this] { return m_jobs.size() < 64; });
        m_jobs.push_back({row, std::move(path), std::move(bytes)});
        m_ready.notify_one();
    }
    // Waits for every file; the rows whose file could not be written, with the reason.
    std::map<std::size_t, std::string> Finish() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_ready.notify_all();
        for (std::thread &t : m_threads)
            t.join();
        m_threads.clear();
        return m_failed;
    }

  private:
    struct Job {
        std::size_t row = 0;
        std::string path;
        std::string bytes;
    };
    void Work() {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [this] { return m_done || !m_jobs.empty(); });
                if (m_jobs.empty())
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
                m_room.notify_one();
            }
            std::string error;
            if (!WriteFileAtomically(job.path, job.bytes, error)) {
                std::lock_guard lock(m_mutex);
                m_failed[job.row] = error;
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_ready, m_room;
    std::deque<Job> m_jobs;
    bool m_done = false;
    std::map<std::size_t, std::string> m_failed;
    std::vector<std::thread> m_threads;
};

struct Batch {
    CBody model;
    textgen::CsvTable table;
    std::vector<textgen::BatchColumn> columns;
    std::string title;
    std::string folder;
    bool rtf = false;
    std::unique_ptr<RootData> data;
    std::map<std::string, int> counterparties; // a name or id as written, to its id
    std::set<std::string> written;             // file names of this run
    std::unique_ptr<Writers> writers;
};

// One row into its file; false with the message (UTF-8) when the row cannot be produced.
bool Produce(Batch &b, std::size_t index, std::string &message) {
    const std::string at = "line " + std::to_string(b.table.rows[index].line) + ": ";
    const auto doc =
        textgen::PlanBatchRow(b.table, b.columns, index, b.rtf ? "rtf" : "html", message);
    if (!doc)
        return false;
    if (!b.written.insert(doc->fileName).second) {
        message = at + "the file name '" + doc->fileName + "' is taken by an earlier row";
        return false;
    }
    int party = -1;
    if (!doc->counterparty.empty()) {
        const auto known = b.counterparties.find(doc->counterparty);
        if (known != b.counterparties.end()) {
            party = known->second;
        } else {
            std::string reason;
            const auto id = b.data->FindCounterparty(doc->counterparty, reason);
            if (!id) {
                message = at + reason;
                return false;
            }
            party = b.counterparties[doc->counterparty] = *id;
        }
    }
    if (refdata::DocumentDatabase *db = b.data->Database())
        db->SetPartyId(textgen::PartySide::Counterparty, party);

    CBody body = b.model; // the page writes into the body it builds from
    for (const auto &[k, value] : doc->variables)
        body.Variable(static_cast<std::uint16_t>(k)).m_strText = value;
    textgen::PageInputs inputs;
    inputs.body = &body;
    inputs.kind = body.Paragraph(ParTitle).m_nType;
    inputs.highlight = false;
    inputs.date = doc->date ? *doc->date : Today();
    inputs.number = doc->number.value_or(std::string());
    inputs.documentTitle = b.title;
    b.data->Attach(inputs);
    std::string bytes =
        b.rtf ? textgen::BuildRtf(inputs).rtf : PageForReading(textgen::BuildPage(inputs).html);
    b.writers->Add(index, (std::filesystem::path(b.folder) / doc->fileName).string(),
                   std::move(bytes));
    return true;
}

int Run(const Args &args) {
    static const std::vector<std::string_view> kValueOptions = {"--out", "--format", "--root"};
    const std::vector<std::string> positional = Positional(args, kValueOptions);
    const std::string *out = Option(args, "--out");
    if (positional.size() != 2 || out == nullptr)
        return Fail(std::string("usage: dravo-cli batch ") + std::string(kUsage));
    Batch b;
    b.folder = *out;
    if (const std::string *format = Option(args, "--format")) {
        if (*format != "html" && *format != "rtf")
            return Fail("--format wants html or rtf, not '" + *format + "'");
        b.rtf = *format == "rtf";
    }
    std::string message;
    if (!LoadTemplate(positional[0], b.model, message))
        return Fail(message);
    b.title = TemplateTitle(positional[0]);
    const std::string &csv = positional[1];
    std::string bytes;
    if (!ReadWholeFile(csv, bytes, message))
        return Fail(message);
    if (!textgen::ReadCsv(bytes, b.table, message))
        return Fail(csv + ": " + message);
    b.columns = textgen::ClassifyColumns(b.model, b.table.header);
    for (std::size_t i = 0; i < b.columns.size(); ++i)
        if (b.columns[i].kind == textgen::BatchColumn::Unknown)
            std::cerr << "dravo-cli: " << csv << ": the column '" << b.table.header[i]
                      << "' names no variable of the template and is left out\n";
    std::error_code ec;
    std::filesystem::create_directories(b.folder, ec);
    if (ec || !std::filesystem::is_directory(b.folder))
        return Fail(b.folder + ": " + (ec ? ec.message() : std::string("not a folder")));

    const std::string *root = Option(args, "--root");
    b.data = std::make_unique<RootData>(root != nullptr ? *root : std::string());
    // The messages in the order of the rows, whether a row failed here or at its writing.
    std::map<std::size_t, std::string> failures;
    b.writers = std::make_unique<Writers>(8);
    for (std::size_t i = 0; i < b.table.rows.size(); ++i)
        if (!Produce(b, i, message))
            failures[i] = message;
    for (const auto &[row, error] : b.writers->Finish())
        failures[row] = "line " + std::to_string(b.table.rows[row].line) + ": " + error;
    for (const auto &[row, error] : failures)
        std::cerr << "dravo-cli: " << csv << ": " << error << '\n';
    const std::size_t failed = failures.size();
    std::cout << b.table.rows.size() - failed << " of " << b.table.rows.size()
              << " documents written to " << b.folder << '\n';
    return failed == 0 ? 0 : 1;
}

const bool registered = Register({"batch", kUsage, &Run});

} // namespace
} // namespace dravo::cli
