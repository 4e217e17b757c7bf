#include "calllog/CallReplay.h"

#include "calllog/ArgumentLayouts.h"
#include "calllog/CallDescription.h"
#include "platform/Win1252.h"

namespace zalvo::calllog {

namespace {

constexpr std::string_view kResult = "Ergebnis";

std::string missingEntryPoint() {
    return "Funktion fehlt in der Bibliothek";
}

} // namespace

CallReplay::CallReplay(const ReplayLibrary& library, std::vector<PathMapping> mappings)
    : m_library(library), m_mappings(std::move(mappings)) {}

std::optional<PathMapping> CallReplay::parseMapping(std::string_view argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        return std::nullopt;
    }
    return PathMapping{win1252::fromUtf8(argument.substr(0, equals)),
                       win1252::fromUtf8(argument.substr(equals + 1))};
}

void CallReplay::rewritePaths(EntryPoint entry, std::size_t argument, std::string& bytes) const {
    const std::span<const ArgumentLayout> layouts = ArgumentLayouts::of(entry);
    if (argument >= layouts.size() || m_mappings.empty()) {
        return;
    }
    for (const ShownField& shown : ArgumentLayouts::shownFields(layouts[argument], bytes.size())) {
        if (shown.kind != FieldKind::Path) {
            continue;
        }
        const std::string_view field(bytes.data() + shown.field.offset, shown.field.width);
        const std::string_view text = field.substr(0, field.find('\0'));
        for (const PathMapping& mapping : m_mappings) {
            if (text.substr(0, mapping.from.size()) != mapping.from) {
                continue;
            }
            std::string rewritten = mapping.to + std::string(text.substr(mapping.from.size()));
            rewritten.resize(shown.field.maxChars(), '\0');
            bytes.replace(shown.field.offset, rewritten.size(), rewritten);
            bytes[shown.field.offset + rewritten.size()] = '\0';
            break;
        }
    }
}

std::vector<Difference> CallReplay::replay(const RecordedCall& call) const {
    std::vector<std::string> buffers;
    std::vector<std::string> expected;
    std::vector<std::int32_t> integers;
    for (std::size_t index = 0; index < call.argumentCount(); ++index) {
        if (!call.argument(index).isBuffer) {
            integers.push_back(call.argument(index).integer);
            continue;
        }
        buffers.emplace_back(call.before(index));
        rewritePaths(call.entry, index, buffers.back());
        expected.emplace_back(call.after(index));
        rewritePaths(call.entry, index, expected.back());
    }
    const std::optional<std::int32_t> result = m_library.call(call.entry, buffers, integers);
    if (!result) {
        return {{std::string(kResult), std::to_string(call.result), missingEntryPoint()}};
    }

    std::vector<Difference> differences;
    if (*result != call.result) {
        differences.push_back(
            {std::string(kResult), std::to_string(call.result), std::to_string(*result)});
    }
    const std::span<const ArgumentLayout> layouts = ArgumentLayouts::of(call.entry);
    std::size_t buffer = 0;
    for (std::size_t index = 0; index < call.argumentCount(); ++index) {
        if (!call.argument(index).isBuffer) {
            continue;
        }
        const std::string& recorded = expected[buffer];
        const std::string& replayed = buffers[buffer];
        ++buffer;
        if (recorded == replayed) {
            continue;
        }
        for (const FieldRow& row :
             CallDescription::bufferFields(layouts[index], recorded, replayed)) {
            if (row.changed) {
                differences.push_back({row.argument + " / " + row.field, row.before, row.after});
            }
        }
    }
    return differences;
}

int CallReplay::run(std::span<const RecordedCall> calls, std::ostream& out) const {
    std::size_t differing = 0;
    for (const RecordedCall& call : calls) {
        const std::vector<Difference> differences = replay(call);
        out << '#' << call.sequence << ' ' << entryPointName(call.entry) << ": "
            << (differences.empty() ? "gleich" : "verschieden") << '\n';
        for (const Difference& difference : differences) {
            out << "    " << difference.what << ": aufgezeichnet \"" << difference.recorded
                << "\", jetzt \"" << difference.replayed << "\"\n";
        }
        differing += differences.empty() ? 0 : 1;
    }
    out << calls.size() << " Aufrufe, " << calls.size() - differing << " gleich, " << differing
        << " verschieden\n";
    return differing == 0 ? 0 : 1;
}

} // namespace zalvo::calllog
