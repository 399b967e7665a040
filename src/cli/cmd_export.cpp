// dravo-cli export: the contract as Rich Text Format for a word processor.
#include "cli/command.h"
#include "cli/contract_data.h"
#include "cli/var_pairs.h"
#include "core/fileio.h"
#include "core/text.h"
#include "textgen/rtf.h"

#include <iostream>

namespace dravo::cli {
namespace {

constexpr std::string_view kUsage =
    "FILE.adf --rtf OUT.rtf [--root DIR] [--counterparty ID] [--third ID] [--number TEXT] "
    "[--date YYYY-MM-DD] [--set WORD=VALUE ...]";

int Run(const Args &given) {
    Args args;
    ValuePairs pairs;
    std::string message;
    if (!TakeValuePairs(given, args, pairs, message))
        return Fail(message);
    static const std::vector<std::string_view> kValueOptions = {
        "--rtf", "--root", "--counterparty", "--third", "--number", "--date"};
    const std::vector<std::string> positional = Positional(args, kValueOptions);
    const std::string *output = Option(args, "--rtf");
    if (positional.size() != 1 || output == nullptr)
        return Fail(std::string("usage: dravo-cli export ") + std::string(kUsage));

    CBody body;
    if (!LoadTemplate(positional[0], body, message))
        return Fail(message);
    textgen::PageInputs inputs;
    inputs.body = &body;
    inputs.kind = body.Paragraph(ParTitle).m_nType;
    inputs.date = Today();
    inputs.documentTitle = TemplateTitle(positional[0]);
    if (const std::string *v = Option(args, "--number"))
        if (!EngineText(*v, inputs.number, "--number"))
            return 1;
    if (const std::string *v = Option(args, "--date")) {
        const auto date = IsoDate(*v);
        if (!date)
            return Fail("--date wants a real date as YYYY-MM-DD, not '" + *v + "'");
        inputs.date = *date;
    }
    if (!ApplyValuePairs(body, pairs, message))
        return Fail(positional[0] + ": " + message);

    const std::string *root = Option(args, "--root");
    RootData data(root != nullptr ? *root : std::string());
    for (const auto &[option, side] :
         {std::pair{"--counterparty", textgen::PartySide::Counterparty},
          std::pair{"--third", textgen::PartySide::ThirdParty}})
        if (const std::string *v = Option(args, option)) {
            const auto id = data.FindCounterparty(*v, message);
            if (!id)
                return Fail(std::string(option) + ": " + message);
            data.Database()->SetPartyId(side, *id);
        }
    data.Attach(inputs);

    const textgen::RtfResult rtf = textgen::BuildRtf(inputs);
    std::string error;
    if (!WriteFileAtomically(*output, rtf.rtf, error))
        return Fail(error); // the reason names the file
    return 0;
}

const bool registered = Register({"export", kUsage, &Run});

} // namespace
} // namespace dravo::cli
